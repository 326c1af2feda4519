// SPDX-License-Identifier: Apache-2.0
// The five barcode font families, in the order the font-name list offers them.
#pragma once

#include <array>
#include <string_view>

namespace Kelbrin::Barwright {

inline constexpr std::string_view font34X = "ZLT DataBar 34X";
inline constexpr std::string_view font13X = "ZLT DataBar 13X";
inline constexpr std::string_view font34X96dpi = "ZLT DataBar 34X 96dpi";
inline constexpr std::string_view font13X96dpi = "ZLT DataBar 13X 96dpi";
inline constexpr std::string_view fontEM = "ZLT DataBar EM";

inline constexpr std::array<std::string_view, 5> barcodeFontNames{font34X, font13X, font34X96dpi,
                                                                  font13X96dpi, fontEM};

}  // namespace Kelbrin::Barwright
