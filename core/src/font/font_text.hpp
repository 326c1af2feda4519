// SPDX-License-Identifier: Apache-2.0
// Element widths and module rows turned into characters of the barcode fonts.
//
// The characters are those of font_alphabet.hpp: width characters for one-row symbols, one
// column character per module column for stacked ones.
#pragma once

#include "font/font_alphabet.hpp"
#include "rows/module_row.hpp"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// Element-width text ("1".."9", element 0 a space) -> width characters, same length.
std::string singleRowFontText(std::string_view elementWidths);
void singleRowFontText(std::string_view elementWidths, std::string& out);

// Lines of column characters from module rows, `width` columns; the caller's line keeps its
// storage, and columns past the module capacity print light. The first line of a
// four-cell symbol, its first data row under three light cells ("a" light, "m" dark):
void underLightCellsLine(const module_bits& row, std::size_t width, std::string& line);
// Rows top to bottom, four-cell characters:
void fourCellLine(const module_bits& r0, const module_bits& r1, const module_bits& r2, const module_bits& r3,
                  std::size_t width, std::string& line);
// Top row, separator, bottom row, three-cell characters:
void threeCellLine(const module_bits& top, const module_bits& separator, const module_bits& bottom,
                   std::size_t width, std::string& line);

}  // namespace Kelbrin::Tallowlib
