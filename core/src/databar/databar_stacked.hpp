// SPDX-License-Identifier: Apache-2.0
// DataBar Stacked and Stacked Omnidirectional: the 46-element DataBar-14 row rearranged
// into two rows of 50 modules with separator rows between them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// `elementWidths` is a 46-digit DataBar-14 element text; anything else throws
// std::invalid_argument. Its guards (the first and last two elements) are laid out by the
// rows themselves: the top row is elements 2..22 between guard modules, the bottom row
// elements 23..43.

// DataBar Stacked: top row, one separator row and bottom row as one line of 50 three-cell
// column characters (short font).
std::string stackedFontText(std::string_view elementWidths);
// The same into `line`, whose storage is reused.
void stackedFontText(std::string_view elementWidths, std::string& line);

// DataBar Stacked Omnidirectional: the top row under three light cells, then the upper
// separator, middle separator, lower separator and bottom row, as two lines of 50 four-cell
// column characters; the caller's lines keep their storage.
void omniFontLines(std::string_view elementWidths, std::vector<std::string>& lines);

}  // namespace Kelbrin::Tallowlib
