// SPDX-License-Identifier: Apache-2.0
// The characters of the barcode fonts and what each one draws: the one table the encoder,
// the font text reader and the font generator (fonts/generate_fonts.py reads the table's
// rows below) all work from.
//
// Width characters (one-row symbols): "a".."i" a space of 1..9 modules, "1".."9" a bar.
// Column characters (stacked symbols): one module wide, a stack of three or four cells,
// light or dark.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

enum class glyph_kind : std::uint8_t { space, bar, four_cells, three_cells };

// `value`: the modules of a space or bar, or the cells of a column read as a binary number
// (1 dark), top cell most significant.
struct font_glyph {
    char character;
    glyph_kind kind;
    std::uint8_t value;
};

// In the fonts' glyph order. A character listed twice is drawn once, as its first row says:
// the light four-cell column is the one-module space "a", and three dark cells (which a
// stacked row pair never prints) share "Z" with three light ones.
// The generator reads the rows between the two marker comments, one glyph per line.
inline constexpr std::array<font_glyph, 42> fontGlyphs = {{
    // glyph table begin
    {'a', glyph_kind::space, 1}, {'1', glyph_kind::bar, 1},
    {'b', glyph_kind::space, 2}, {'2', glyph_kind::bar, 2},
    {'c', glyph_kind::space, 3}, {'3', glyph_kind::bar, 3},
    {'d', glyph_kind::space, 4}, {'4', glyph_kind::bar, 4},
    {'e', glyph_kind::space, 5}, {'5', glyph_kind::bar, 5},
    {'f', glyph_kind::space, 6}, {'6', glyph_kind::bar, 6},
    {'g', glyph_kind::space, 7}, {'7', glyph_kind::bar, 7},
    {'h', glyph_kind::space, 8}, {'8', glyph_kind::bar, 8},
    {'i', glyph_kind::space, 9}, {'9', glyph_kind::bar, 9},
    {'m', glyph_kind::four_cells, 0b0001}, {'n', glyph_kind::four_cells, 0b0010},
    {'o', glyph_kind::four_cells, 0b0100}, {'p', glyph_kind::four_cells, 0b0101},
    {'q', glyph_kind::four_cells, 0b0110}, {'r', glyph_kind::four_cells, 0b1001},
    {'s', glyph_kind::four_cells, 0b1010}, {'t', glyph_kind::four_cells, 0b1100},
    {'u', glyph_kind::four_cells, 0b1101}, {'v', glyph_kind::four_cells, 0b1110},
    {'z', glyph_kind::four_cells, 0b1000}, {'A', glyph_kind::four_cells, 0b0011},
    {'B', glyph_kind::four_cells, 0b0111}, {'C', glyph_kind::four_cells, 0b1011},
    {'D', glyph_kind::four_cells, 0b1111}, {'a', glyph_kind::four_cells, 0b0000},
    {'j', glyph_kind::three_cells, 0b001}, {'k', glyph_kind::three_cells, 0b010},
    {'l', glyph_kind::three_cells, 0b011}, {'w', glyph_kind::three_cells, 0b100},
    {'x', glyph_kind::three_cells, 0b101}, {'y', glyph_kind::three_cells, 0b110},
    {'Z', glyph_kind::three_cells, 0b000}, {'Z', glyph_kind::three_cells, 0b111},
    // glyph table end
}};

// The glyph of `kind` that `c` draws, or nullptr.
constexpr const font_glyph* findGlyph(char c, glyph_kind kind)
{
    for (const font_glyph& g : fontGlyphs)
        if (g.character == c && g.kind == kind)
            return &g;
    return nullptr;
}

// The character of every value of one kind, indexed by the value; every value must have one.
template <std::size_t N>
constexpr std::array<char, N> charactersByValue(glyph_kind kind)
{
    std::array<char, N> characters{};
    std::array<bool, N> found{};
    for (const font_glyph& g : fontGlyphs) {
        if (g.kind != kind)
            continue;
        if (g.value >= N || found[g.value])
            throw std::logic_error("a value twice or out of range");
        characters[g.value] = g.character;
        found[g.value] = true;
    }
    for (bool f : found)
        if (!f)
            throw std::logic_error("a value without a character");
    return characters;
}

// Four-cell column characters indexed by their cells. "0011", "0111", "1011" and "1111" get
// "A".."D": a dark separator cell directly above a dark data module occurs in some stacked
// symbols and must print as one column.
inline constexpr std::array<char, 16> fourCellCharacters = charactersByValue<16>(glyph_kind::four_cells);
// Three-cell column characters (top row, separator, bottom row) indexed by their cells.
inline constexpr std::array<char, 8> threeCellCharacters = charactersByValue<8>(glyph_kind::three_cells);

// Element widths as digits "1".."9" become width characters by an offset: a bar's digit is
// its character, a space's character lies spaceOffset further on.
inline constexpr char spaceOffset = 'a' - '1';

// The value of the glyph of `kind` that `c` draws, or -1. (Compile-time checks use this rather
// than comparing findGlyph's pointer with null, which GCC cannot evaluate under AddressSanitizer.)
constexpr int glyphValue(char c, glyph_kind kind)
{
    for (const font_glyph& g : fontGlyphs)
        if (g.character == c && g.kind == kind)
            return static_cast<int>(g.value);
    return -1;
}

constexpr bool widthCharactersFollowTheDigits()
{
    for (int w = 1; w <= 9; ++w) {
        const char digit = static_cast<char>('0' + w);
        if (glyphValue(digit, glyph_kind::bar) != w ||
            glyphValue(static_cast<char>(digit + spaceOffset), glyph_kind::space) != w)
            return false;
    }
    return true;
}
static_assert(widthCharactersFollowTheDigits());

}  // namespace Kelbrin::Tallowlib
