// SPDX-License-Identifier: Apache-2.0
// Module rows of stacked symbols as bits: a data row laid out from its element widths, and
// the module ranges the separator rows are built from.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib {

// The modules of one row: module j is bit j % 64 of word j / 64, set when dark. Rows up to
// moduleBitsCapacity modules (the widest stacked row and some) are held whole; modules past
// it are left out.
inline constexpr std::size_t moduleWords = 9;
inline constexpr std::size_t moduleBitsCapacity = 64 * moduleWords;
struct module_bits {
    std::array<std::uint64_t, moduleWords> words{};
    std::size_t width = 0;  // modules of the row, whether or not they all fit

    bool dark(std::size_t j) const { return j < moduleBitsCapacity && (words[j / 64] >> (j % 64) & 1u) != 0; }
};

// One data row of a stacked DataBar symbol: its elements between two guard modules at
// each end.
struct element_row {
    int count = 0;                // number of elements
    int left_pad = 0;             // light modules before the row
    int right_pad = 0;            // light modules after the row
    bool first_light = true;      // element 0 is light
    bool reversed = false;        // laid out from the last element to the first
    const int* widths = nullptr;  // `count` widths in modules
};

// `row` laid out into `out`: the left pad, a guard module of the colour of the first
// element laid out and one of the other colour, the elements in alternating colours, two
// guard modules going on alternating, the right pad. Element widths are taken to be 1 to 9,
// as in every DataBar symbol; others give some row, never a write past `out`.
void layOutRow(const element_row& row, module_bits& out);

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

}  // namespace Kelbrin::Tallowlib
