// SPDX-License-Identifier: Apache-2.0
// How tall each module row of a printed symbol is drawn, and its quiet zone.
#pragma once

#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/symbol_text.hpp"

#include <vector>

namespace Kelbrin::Tarnwick::Cli {

// Row heights in modules as the symbologies' standards give them: DataBar-14 and Stacked
// Omnidirectional data rows 33X, Limited 10X, Stacked 5X (top) and 7X (bottom), Expanded
// 34X, Code 128 and GS1-128 30X; separator rows 1X.
std::vector<int> rowHeights(Tallowlib::symbology s, const Tallowlib::module_rows& rows);

// Light modules around every symbol: Code 128 needs at least 10X, the DataBar symbols
// none, and 10X keeps them clear of anything printed beside them.
inline constexpr int quietZoneModules = 10;

}  // namespace Kelbrin::Tarnwick::Cli
