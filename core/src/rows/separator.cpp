#include "rows/separator.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib {

namespace {

// Three consecutive elements making this many modules start a finder pattern.
constexpr std::size_t finderHeadModules = 13;

std::size_t modulesOf(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

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
    const int* s = row.widths;
    const std::size_t w0 = modulesOf(s[i]);
    const std::size_t w1 = modulesOf(s[i + 1]);
    const std::size_t w2 = modulesOf(s[i + 2]);
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
    // finder head; then every element that starts one has it broken up. Widths are read
    // unsigned: a negative one lands far past the row, where nothing is written.
    const int n = row.widths == nullptr ? 0 : row.count;
    const auto width = [s = row.widths](int k) { return static_cast<std::size_t>(static_cast<unsigned>(s[k])); };
    std::size_t offset = 2;  // of element i, from the outer guard module
    int i = 0;
    while (offset < 5 && i < n)
        offset += width(i++);
    while (i + 2 < n) {
        if (width(i) + width(i + 1) + width(i + 2) != finderHeadModules) {
            offset += width(i++);
            continue;
        }
        const int taken = breakFinderHead(row, i, offset, span, out);
        for (const int next = std::min(i + taken, n); i < next; ++i)
            offset += width(i);
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
