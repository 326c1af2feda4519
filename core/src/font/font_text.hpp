// Element widths and module rows turned into characters of the barcode fonts.
//
// Width characters (one-row symbols): "a".."i" a space of 1..9 modules, "1".."9" a bar.
// Column characters (stacked symbols): one character per module column, standing for
// the light/dark state of three or four vertically stacked cells.
#pragma once

#include "rows/module_row.hpp"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// Element-width text ("1".."9", element 0 a space) -> width characters, same length.
std::string singleRowFontText(std::string_view elementWidths);
void singleRowFontText(std::string_view elementWidths, std::string& out);

// Four-cell characters indexed by the cells (1 dark) read as a binary number, top cell most
// significant. "0011", "0111", "1011" and "1111" get "A".."D": a dark separator cell directly
// above a dark data module occurs in some stacked symbols and must print as one column.
inline constexpr std::array<char, 16> fourCellCharacters = {
    'a', 'm', 'n', 'A',  // 0000 0001 0010 0011
    'o', 'p', 'q', 'B',  // 0100 0101 0110 0111
    'z', 'r', 's', 'C',  // 1000 1001 1010 1011
    't', 'u', 'v', 'D',  // 1100 1101 1110 1111
};

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
