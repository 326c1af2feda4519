// SPDX-License-Identifier: Apache-2.0
// The X dimension (narrowest bar width) that a barcode font gives at a size.
#pragma once

#include <string>
#include <string_view>

namespace Kelbrin::Barwright {

// "%0.2f mils\r\n%0.4f mm" for the font's module width at `points`.
std::string xDimensionText(std::string_view fontName, float points);

}  // namespace Kelbrin::Barwright
