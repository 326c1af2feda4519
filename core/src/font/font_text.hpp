// Element widths and module rows turned into characters of the barcode fonts.
//
// The characters are those of font_alphabet.hpp: width characters for one-row symbols, one
// column character per module column for stacked ones.
#pragma once

#include "font/font_alphabet.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// One row to be rendered into modules.
struct element_row {
    int count = 0;            // number of elements
    int left_pad = 0;         // light modules before the row
    int right_pad = 0;        // light modules after the row
    bool guard = false;       // one guard module pair at each end
    int first_light = 1;      // nonzero when element 0 is light
    int reversed = 0;         // nonzero when laid out from the last element to the first
    const int* widths = nullptr;  // `count` widths in modules (separators may exceed 9)
};

// Element-width text ("1".."9", element 0 a space) -> width characters, same length.
std::string singleRowFontText(std::string_view elementWidths);
void singleRowFontText(std::string_view elementWidths, std::string& out);

// Module text of one row: "0" light, "1" dark.
std::string renderRow(const element_row& row);
// The same into `modules`, whose storage is reused.
void renderRow(const element_row& row, std::string& modules);

// Four-cell column character for cells top..bottom (each '0' or '1').
char fourCellCharacter(char c0, char c1, char c2, char c3);

// The modules of one row as bits: module j is bit j % 64 of word j / 64, set when dark.
// Rows up to moduleBitsCapacity modules (the widest stacked row and some) are held whole;
// modules past it are left out.
inline constexpr std::size_t moduleWords = 9;
inline constexpr std::size_t moduleBitsCapacity = 64 * moduleWords;
struct module_bits {
    std::array<std::uint64_t, moduleWords> words{};
    std::size_t width = 0;  // modules of the row, whether or not they all fit

    bool dark(std::size_t j) const { return j < moduleBitsCapacity && (words[j / 64] >> (j % 64) & 1u) != 0; }
};

// `row` laid out as renderRow does it, into bits.
void renderModuleBits(const element_row& row, module_bits& out);

// Modules [from, to) of `bits` (as far as the capacity reaches) take the bits of `pattern`
// at their places within a word: ~0 dark, 0 light, evenModules or oddModules alternating.
inline void assignModules(module_bits& bits, std::size_t from, std::size_t to, std::uint64_t pattern)
{
    to = std::min(to, moduleBitsCapacity);
    if (from >= to)
        return;
    const std::size_t first = from / 64;
    const std::size_t last = (to - 1) / 64;
    const auto merge = [&](std::size_t w, std::uint64_t mask) { bits.words[w] = (bits.words[w] & ~mask) | (pattern & mask); };
    const std::uint64_t head = ~std::uint64_t{0} << (from % 64);
    const std::uint64_t tail = ~std::uint64_t{0} >> (63 - (to - 1) % 64);
    if (first == last) {
        merge(first, head & tail);
        return;
    }
    merge(first, head);
    for (std::size_t w = first + 1; w < last; ++w)
        bits.words[w] = pattern;
    merge(last, tail);
}
inline constexpr std::uint64_t evenModules = 0x5555555555555555u;  // modules 0, 2, 4, ... of every word
inline constexpr std::uint64_t oddModules = ~evenModules;

// Three-cell column character (top row, separator, bottom row).
char threeCellCharacter(char top, char separator, char bottom);

// Lines of column characters straight from module bits, `width` columns; the caller's line
// keeps its storage. The single row under three light cells ("a" light, "m" dark):
void underLightCellsLine(const module_bits& row, std::size_t width, std::string& line);
// The same for a row laid out as renderRow does it, as wide as the row (a row past the
// module capacity prints light there).
void underLightCellsLine(const element_row& row, std::string& line);
// Rows top to bottom, four-cell characters:
void fourCellLine(const module_bits& r0, const module_bits& r1, const module_bits& r2, const module_bits& r3,
                  std::size_t width, std::string& line);
// Top row, separator, bottom row, three-cell characters:
void threeCellLine(const module_bits& top, const module_bits& separator, const module_bits& bottom,
                   std::size_t width, std::string& line);

// Builds the module rows of one symbol: the first data row, then for every further data
// row three separator rows followed by that row. All rows have the same length.
class row_builder {
public:
    virtual ~row_builder() = default;
    virtual void buildRows(std::string_view elementWidths, std::vector<std::string>& rows) const = 0;

    // Rows -> printed lines of four-cell column characters (see fontLinesFromRows).
    void fontLines(std::string_view elementWidths, std::vector<std::string>& lines) const;
};

// Line 1 carries the first row under three light cells; every further line carries the
// three separator rows above a data row together with that row. Rows after the last
// complete group of four are not printed.
void fontLinesFromRows(const std::vector<std::string>& rows, std::vector<std::string>& lines);

}  // namespace Kelbrin::Tallowlib
