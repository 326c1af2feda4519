// SPDX-License-Identifier: Apache-2.0
#include "x_dimension.hpp"

#include "font_sizes.hpp"

#include "tallowlib/font_geometry.hpp"

#include <cstdio>

namespace Kelbrin::Barwright {

std::string xDimensionText(std::string_view fontName, float points)
{
    // Same module width and units per em as the size list, so label and list agree for every font.
    constexpr auto inchPerUnitAtOnePoint = static_cast<float>(1.0 / Tallowlib::unitsPerInchAtOnePoint);
    const float inches = static_cast<float>(moduleWidth(fontName)) * points * inchPerUnitAtOnePoint;
    char text[96];
    std::snprintf(text, sizeof text, "%0.2f mils\r\n%0.4f mm", inches * 1000.0, inches * 25.4);
    return text;
}

}  // namespace Kelbrin::Barwright
