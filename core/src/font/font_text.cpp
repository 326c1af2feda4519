// SPDX-License-Identifier: Apache-2.0
#include "font/font_text.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Kelbrin::Tallowlib {

namespace {

static_assert(std::endian::native == std::endian::little, "blocks of eight cells or characters are read as little-endian words");

// The characters of two columns at once: entry a | b << 4 holds those of cells a and b.
using column_pairs = std::array<std::array<char, 2>, 256>;
template <std::size_t N>
constexpr column_pairs columnPairs(const std::array<char, N>& table)
{
    column_pairs pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {table[i % 16 % N], table[i / 16 % N]};
    return pairs;
}
constexpr column_pairs fourCellPairs = columnPairs(fourCellCharacters);
constexpr column_pairs threeCellPairs = columnPairs(threeCellCharacters);

// Nibble k of entry b is bit k of b: eight modules spread out so that byte m holds the
// cells of columns 2m and 2m + 1 once the rows are put together.
constexpr auto nibbleCells = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::size_t b = 0; b < t.size(); ++b)
        for (std::size_t k = 0; k < 8; ++k)
            t[b] |= static_cast<std::uint32_t>(b >> k & 1u) << (4 * k);
    return t;
}();

// Writes `width` column characters of `rows` (top first). Columns past the module capacity
// have only light cells.
template <std::size_t Rows>
void writeColumns(const column_pairs& pairs, const std::array<const module_bits*, Rows>& rows, std::size_t width,
                  std::string& line)
{
    // Whole blocks of eight columns, a word of each row at a time, then the line cut to its width.
    const std::size_t held = std::min(width, moduleBitsCapacity);
    line.resize((held + 7) / 8 * 8);
    char* text = line.data();
    for (std::size_t w = 0; 64 * w < held; ++w) {
        std::array<std::uint64_t, Rows> words;
        for (std::size_t r = 0; r < Rows; ++r)
            words[r] = rows[r]->words[w];
        for (std::size_t j = 64 * w; j < std::min(held, 64 * w + 64); j += 8) {
            std::uint32_t index = 0;  // byte m: the cells of columns 2m and 2m + 1
            for (std::size_t r = 0; r < Rows; ++r) {
                index = index << 1 | nibbleCells[words[r] & 0xFFu];
                words[r] >>= 8;
            }
            for (std::size_t k = 0; k < 8; k += 2, index >>= 8)
                std::memcpy(text + j + k, pairs[index & 0xFFu].data(), 2);
        }
    }
    line.resize(width, pairs[0][0]);
}

}  // namespace

void singleRowFontText(std::string_view elementWidths, std::string& out)
{
    const std::size_t n = elementWidths.size();
    out.resize(n);
    const char* w = elementWidths.data();
    char* o = out.data();
    // A space and a bar at a time, which the compiler turns into vector code.
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        o[i] = static_cast<char>(w[i] + spaceOffset);
        o[i + 1] = w[i + 1];
    }
    if (n % 2 != 0)
        o[n - 1] = static_cast<char>(w[n - 1] + spaceOffset);
}

std::string singleRowFontText(std::string_view elementWidths)
{
    std::string out;
    singleRowFontText(elementWidths, out);
    return out;
}

void underLightCellsLine(const module_bits& row, std::size_t width, std::string& line)
{
    // The characters of eight modules at once, the first in the low byte.
    static constexpr auto blocks = [] {
        std::array<std::uint64_t, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b)
            for (std::size_t k = 0; k < 8; ++k)
                t[b] |= std::uint64_t{static_cast<unsigned char>(fourCellCharacters[b >> k & 1u])} << (8 * k);
        return t;
    }();
    const std::size_t held = std::min(width, moduleBitsCapacity);
    line.resize((held + 7) / 8 * 8);
    for (std::size_t j = 0; j < held; j += 8)
        std::memcpy(line.data() + j, &blocks[row.words[j / 64] >> (j % 64) & 0xFFu], 8);
    line.resize(width, fourCellCharacters[0]);
}

void fourCellLine(const module_bits& r0, const module_bits& r1, const module_bits& r2, const module_bits& r3,
                  std::size_t width, std::string& line)
{
    writeColumns(fourCellPairs, std::array{&r0, &r1, &r2, &r3}, width, line);
}

void threeCellLine(const module_bits& top, const module_bits& separator, const module_bits& bottom,
                   std::size_t width, std::string& line)
{
    writeColumns(threeCellPairs, std::array{&top, &separator, &bottom}, width, line);
}

}  // namespace Kelbrin::Tallowlib
