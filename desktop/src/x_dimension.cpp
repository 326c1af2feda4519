// SPDX-License-Identifier: Apache-2.0
#include "x_dimension.hpp"

#include "font_sizes.hpp"

#include <cstdio>

namespace Kelbrin::Barwright {

std::string xDimensionText(std::string_view fontName, float points)
{
    // Same module width as the size list, so label and list agree for every font.
    constexpr float inchPerUnitAtOnePoint = 1.0f / 147456.0f;
    const float inches = static_cast<float>(moduleWidth(fontName)) * points * inchPerUnitAtOnePoint;
    char text[96];
    std::snprintf(text, sizeof text, "%0.2f mils\r\n%0.4f mm", inches * 1000.0, inches * 25.4);
    return text;
}

}  // namespace Kelbrin::Barwright
