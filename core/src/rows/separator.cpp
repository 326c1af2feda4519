// SPDX-License-Identifier: Apache-2.0
#include "rows/separator.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Kelbrin::Tallowlib {

namespace {

// Three consecutive elements making this many modules start a finder pattern.
constexpr std::uint32_t finderHeadModules = 13;

std::size_t modulesOf(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

// Element k's width, read unsigned: a negative one lands far past the row, where nothing
// is written.
std::size_t widthOf(const int* widths, int k) { return static_cast<std::uint32_t>(widths[k]); }

// Where the modules of a data row lie once laid out: from `start`, `length` modules from
// guard to guard, mirrored when `reversed`.
struct guarded_span {
    std::size_t start;
    std::size_t length;
    bool reversed;

    // The first laid-out module of the n modules `offset` modules into the row read from
    // element 0 (its outer guard module is offset 0).
    std::size_t at(std::size_t offset, std::size_t n) const
    {
        return reversed ? start + length - offset - n : start + offset;
    }
};

// The n modules at `offset` alternate, dark at `offset` itself.
void alternateFrom(module_bits& bits, const guarded_span& span, std::size_t offset, std::size_t n)
{
    const std::size_t from = span.at(offset, n);
    const std::size_t dark = span.reversed ? from + n - 1 : from;
    assignModules(bits, from, from + n, dark % 2 == 0 ? evenModules : oddModules);
}

// Breaks up the finder head of elements i, i + 1, i + 2 (`offset` modules into the row) in
// the separator `out`; returns the elements it takes, the head and what goes with it.
int breakFinderHead(const element_row& row, int i, std::size_t offset, const guarded_span& span, module_bits& out)
{
    const std::size_t w0 = widthOf(row.widths, i);
    const std::size_t w1 = widthOf(row.widths, i + 1);
    const std::size_t w2 = widthOf(row.widths, i + 2);
    const bool startsLight = (i % 2 == 0) == row.first_light;
    if (startsLight) {
        // Light, dark, light: both light elements alternate from a dark module; the element
        // after the head goes with it.
        alternateFrom(out, span, offset, w0);
        alternateFrom(out, span, offset + w0 + w1, w2);
        return 4;
    }
    if (w1 == 1) {
        // Dark, one light module, dark: ten light modules, one dark, two light.
        const std::size_t from = span.at(offset, finderHeadModules);
        assignModules(out, from, from + finderHeadModules, 0);
        const std::size_t dark = span.at(offset + 10, 1);
        assignModules(out, dark, dark + 1, ~std::uint64_t{0});
        return 3;
    }
    // Dark, light, dark: the light element alternates from a dark module.
    alternateFrom(out, span, offset + w0, w1);
    return 3;
}

std::size_t modulesBetween(const int* widths, int from, int to)
{
    std::size_t sum = 0;
    for (int k = from; k < to; ++k)
        sum += widthOf(widths, k);
    return sum;
}

// Places k where elements k, k + 1, k + 2 make a finder head hold ~0, all of them at once,
// then two empty places; the rows with heads are then visited only there.
using head_places = std::array<std::uint32_t, moduleBitsCapacity + 2>;  // as many elements as modules at most

int markFinderHeads(const int* widths, int n, head_places& heads)
{
    const int places = std::max(n - 2, 0);
    for (int k = 0; k < places; ++k) {
        const auto three = static_cast<std::uint32_t>(widths[k]) + static_cast<std::uint32_t>(widths[k + 1]) +
                           static_cast<std::uint32_t>(widths[k + 2]);
        heads[static_cast<std::size_t>(k)] = three == finderHeadModules ? ~0u : 0u;
    }
    heads[static_cast<std::size_t>(places)] = heads[static_cast<std::size_t>(places) + 1] = 0;
    return places;
}

static_assert(std::endian::native == std::endian::little, "two head places are read as one little-endian word");

// The first finder head at or after place `from`, found two places at a time; `places`
// when there is none.
int nextHead(const head_places& heads, int from, int places)
{
    for (int k = from; k < places; k += 2) {
        std::uint64_t two;
        std::memcpy(&two, &heads[static_cast<std::size_t>(k)], 8);
        if (two != 0)
            return k + std::countr_zero(two) / 32;  // the first place set, in memory order
    }
    return places;
}

}  // namespace

void dataRowSeparator(const element_row& row, const module_bits& data, module_bits& out)
{
    const std::size_t start = modulesOf(row.left_pad);
    const std::size_t end = std::max(data.width - std::min(data.width, modulesOf(row.right_pad)), start);
    const guarded_span span{start, end - start, row.reversed};

    // The complement of the data row, its pads light.
    const std::size_t words = std::min(moduleWords, (end + 63) / 64);
    for (std::size_t w = 0; w < moduleWords; ++w)
        out.words[w] = w < words ? ~data.words[w] : 0;
    out.width = data.width;

    // The leading run, the guards and the first elements up to five modules, is never a
    // finder head; every later element that starts one has it broken up.
    const int* s = row.widths;
    const int n = s == nullptr ? 0 : std::min(row.count, static_cast<int>(moduleBitsCapacity));
    head_places heads;
    const int places = markFinderHeads(s, n, heads);
    std::size_t offset = 2;  // of element i, from the outer guard module
    int i = 0;
    while (offset < 5 && i < n)
        offset += widthOf(s, i++);
    for (int k = nextHead(heads, i, places); k < places; k = nextHead(heads, i, places)) {
        offset += modulesBetween(s, i, k);
        const int next = std::min(k + breakFinderHead(row, k, offset, span, out), n);
        offset += modulesBetween(s, k, next);
        i = next;
    }
    assignModules(out, 0, start + 4, 0);
    assignModules(out, std::max(end, std::size_t{4}) - 4, 64 * words, 0);
}

void middleSeparator(std::size_t width, module_bits& out)
{
    out.words.fill(0);
    out.width = width;
    if (width >= 9)
        assignModules(out, 5, width - (width % 2 == 0 ? 4 : 5), oddModules);
}

// Worked out for all columns at once rather than column by column: with the separator
// XORed with a 0101... pattern (bit j flipped for odd j), an unequal column simply repeats
// the value before it. That value is set at every equal column (its opposite-of-above,
// flipped for odd j) and is 0 before the first one, so it is a fill: each column takes the
// value of the nearest equal column at or before it, and before the first one the
// separator alternates as if a dark module stood before column 0. Equal columns setting 1
// ("ones") fill upwards until the next equal column setting 0 ("zeros"): adding `ones` to
// ~zeros carries from each such column through everything up to the next zero column.
void stackedSeparator(const module_bits& top, const module_bits& bottom, std::size_t width, module_bits& out)
{
    constexpr std::uint64_t oddColumns = 0xAAAAAAAAAAAAAAAAu;
    width = std::min<std::size_t>(width, 64);
    const std::uint64_t row = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    const std::uint64_t equal = ~(top.words[0] ^ bottom.words[0]) & row;
    const std::uint64_t value = ~top.words[0] ^ oddColumns;  // the value an equal column sets
    const std::uint64_t ones = equal & value;
    const std::uint64_t zeros = equal & ~value;
    const std::uint64_t filled = (((~zeros + ones) ^ ~zeros) | ones) & ~zeros;
    out.words.fill(0);
    out.words[0] = (filled ^ oddColumns) & row;
    out.width = width;
    assignModules(out, 0, 4, 0);
    assignModules(out, std::max(width, std::size_t{4}) - 4, width, 0);
}

}  // namespace Kelbrin::Tallowlib
