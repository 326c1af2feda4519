#include "databar/databar_stacked.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::size_t databar14Elements = 46;
constexpr std::size_t rowModules = 50;
constexpr std::size_t halfElements = 23;  // E[0..22] above, E[23..45] below

// Three consecutive widths summing to this start a finder pattern.
constexpr int finderHeadModules = 13;

using symbol_widths = std::array<int, databar14Elements>;

symbol_widths widthsOf(std::string_view elementWidths)
{
    if (elementWidths.size() != databar14Elements)
        throw std::invalid_argument("a DataBar-14 element text has 46 widths");
    std::uint8_t outside = 0;  // checked once after the loop, which then needs no branch
    for (const char c : elementWidths)
        outside |= static_cast<std::uint8_t>(static_cast<std::uint8_t>(c - '1') > 8u);
    symbol_widths w;
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = elementWidths[i] - '0';
    if (outside != 0)
        throw std::invalid_argument("element widths are digits 1 to 9");
    return w;
}

std::size_t modulesOf(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

// Colour of element k of a row: element 0 as `first_light` says, then alternating.
bool isDark(const element_row& row, int k)
{
    const bool zeroDark = row.first_light == 0;
    return k % 2 == 0 ? zeroDark : !zeroDark;
}

// Appends `n` single-module elements at the end of `d`.
void appendSingles(std::vector<int>& d, int n)
{
    for (int k = 0; k < n; ++k)
        d.push_back(1);
}

// Adds `width` to the last element when `previous` (the width just split into singles)
// is even, else appends it as an element of its own.
void joinOrAppend(std::vector<int>& d, int previous, int width)
{
    if (previous % 2 == 0 && !d.empty())
        d.back() += width;
    else
        d.push_back(width);
}

// The separator between the two rows of DataBar Stacked, one bit per module: the opposite
// of equal modules above and below it; under unequal ones the opposite of the module before
// it, so that it alternates (a light module before column 0). The quiet ends are forced
// light afterwards by the caller.
//
// Worked out for all columns at once rather than column by column: with the separator
// XORed with a 0101... pattern (bit j flipped for odd j), an unequal column simply repeats
// the value before it. That value is set at every equal column (its opposite-of-above,
// flipped for odd j) and is 0 before the first one, so it is a fill: each column takes the
// value of the nearest equal column at or before it. Equal columns setting 1 ("ones") fill
// upwards until the next equal column setting 0 ("zeros"): adding `ones` to ~zeros carries
// from each such column through everything up to the next zero column.
std::uint64_t stackedSeparator(std::uint64_t top, std::uint64_t bottom)
{
    constexpr std::uint64_t oddColumns = 0xAAAAAAAAAAAAAAAAu;
    constexpr std::uint64_t row = (std::uint64_t{1} << rowModules) - 1;
    const std::uint64_t equal = ~(top ^ bottom) & row;
    const std::uint64_t value = ~top ^ oddColumns;  // the value an equal column sets
    const std::uint64_t ones = equal & value;
    const std::uint64_t zeros = equal & ~value;
    const std::uint64_t filled = (((~zeros + ones) ^ ~zeros) | ones) & ~zeros;
    return (filled ^ oddColumns) & row;
}

}  // namespace

std::string stackedFontText(std::string_view elementWidths)
{
    std::string line;
    stackedFontText(elementWidths, line);
    return line;
}

void stackedFontText(std::string_view elementWidths, std::string& line)
{
    static_assert(rowModules <= 64, "a Stacked row is one word of module bits");
    const symbol_widths e = widthsOf(elementWidths);
    // The top row: E[0..22] from a light element, closed by a dark and a light module. The
    // bottom row: a dark and a light module, then E[23..45] from a dark element.
    std::array<int, halfElements + 2> upper{};
    std::array<int, halfElements + 2> lower{};
    std::copy(e.begin(), e.begin() + halfElements, upper.begin());
    upper[halfElements] = upper[halfElements + 1] = 1;
    lower[0] = lower[1] = 1;
    std::copy(e.begin() + halfElements, e.end(), lower.begin() + 2);
    module_bits top;
    module_bits bottom;
    renderModuleBits({static_cast<int>(upper.size()), 0, 0, false, 1, 0, upper.data()}, top);
    renderModuleBits({static_cast<int>(lower.size()), 0, 0, false, 0, 0, lower.data()}, bottom);

    constexpr std::uint64_t quietEnds = 0xFu | std::uint64_t{0xF} << (rowModules - 4);
    module_bits middle;
    middle.words[0] = stackedSeparator(top.words[0], bottom.words[0]) & ~quietEnds;
    middle.width = rowModules;
    threeCellLine(top, middle, bottom, rowModules, line);
}

element_row deriveSeparator(const element_row& dataRow, std::vector<int>& d)
{
    d.clear();
    element_row separator{0, dataRow.left_pad, dataRow.right_pad, false, 1, dataRow.reversed, nullptr};
    const int n = dataRow.widths == nullptr ? 0 : dataRow.count;
    if (n <= 0) {
        separator.widths = d.data();
        return separator;
    }
    const int* s = dataRow.widths;

    // Leading run: the two guard modules and the first elements up to five modules.
    int b = 2;
    int i = 0;
    while (b < 5 && i < n)
        b += s[i++];
    if (isDark(dataRow, i - 1)) {
        d.push_back(b);
    } else {
        d.push_back(4);
        d.push_back(b - 4);
    }

    // The complement of the row, with the finder patterns broken up.
    while (i < n) {
        const auto m = d.size();
        d.push_back(s[i]);
        const bool window = i + 2 < n && s[i] + s[i + 1] + s[i + 2] == finderHeadModules;
        if (!window) {
            ++i;
            continue;
        }
        if (m % 2 == 1) {
            d.pop_back();
            appendSingles(d, s[i]);
            joinOrAppend(d, s[i], s[i + 1]);
            appendSingles(d, s[i + 2]);
            if (i + 3 < n)
                joinOrAppend(d, s[i + 2], s[i + 3]);
            i += 4;
        } else if (s[i + 1] <= 1) {
            d.back() = 10;
            d.push_back(1);
            d.push_back(2);
            i += 3;
        } else {
            appendSingles(d, s[i + 1]);
            joinOrAppend(d, s[i + 1], s[i + 2]);
            i += 3;
        }
    }

    // Trailing run: the last elements and the two guard modules, at least five modules.
    int f = 2;
    auto k = d.size();
    while (f < 5 && k > 0)
        f += d[--k];
    if (k % 2 == 0) {
        d[k] = f;
        d.resize(k + 1);
    } else {
        d[k] = f - 4;
        d.resize(k + 2);
        d[k + 1] = 4;
    }

    separator.count = static_cast<int>(d.size());
    separator.widths = d.data();
    return separator;
}

namespace {

// Where the modules of a guarded row lie once laid out: from `start`, `length` modules from
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

// The modules of elements [from, to), each 1 to moduleBitsCapacity wide.
std::size_t modulesBetween(const int* widths, int from, int to)
{
    std::uint32_t sum = 0;
    for (int k = from; k < to; ++k)
        sum += static_cast<std::uint32_t>(widths[k]);
    return sum;
}

// The n modules at `offset` alternate, dark at `offset` itself.
void alternateFrom(module_bits& bits, const guarded_span& span, std::size_t offset, std::size_t n)
{
    const std::size_t from = span.at(offset, n);
    const std::size_t dark = span.reversed ? from + n - 1 : from;
    assignModules(bits, from, from + n, dark % 2 == 0 ? evenModules : oddModules);
}

}  // namespace

void deriveSeparatorBits(const element_row& row, const module_bits& data, module_bits& out)
{
    const auto longWay = [&] {
        thread_local std::vector<int> widths;  // keeps its storage from call to call
        renderModuleBits(deriveSeparator(row, widths), out);
    };
    const int n = row.widths == nullptr ? 0 : row.count;
    const std::size_t end = data.width - modulesOf(row.right_pad);
    if (!row.guard || n < 3 || n > static_cast<int>(moduleBitsCapacity) || end > moduleBitsCapacity) {
        longWay();
        return;
    }
    const int* s = row.widths;
    const guarded_span span{modulesOf(row.left_pad), end - modulesOf(row.left_pad), row.reversed != 0};

    // The places where a finder head could start, all at once, two empty places after them;
    // then only those places are visited, found two at a time. Elements narrower than one
    // module are left to deriveSeparator; the widths of the rest are no wider than the row,
    // so sums of them stay small.
    std::array<std::uint32_t, moduleBitsCapacity + 2> heads;  // as many elements as modules at most
    const int places = n - 2;
    std::uint32_t narrow = 0;  // the sign bit set by a width below 1
    for (int k = 0; k < places; ++k) {
        const auto width = static_cast<std::uint32_t>(s[k]);
        narrow |= width | (width - 1u);
        const std::uint32_t three = width + static_cast<std::uint32_t>(s[k + 1]) + static_cast<std::uint32_t>(s[k + 2]);
        heads[static_cast<std::size_t>(k)] = three == static_cast<std::uint32_t>(finderHeadModules) ? ~0u : 0u;
    }
    for (int k = places; k < n; ++k) {
        const auto width = static_cast<std::uint32_t>(s[k]);
        narrow |= width | (width - 1u);
    }
    if (narrow >> 31 != 0) {
        longWay();
        return;
    }
    heads[static_cast<std::size_t>(places)] = heads[static_cast<std::size_t>(places) + 1] = 0;

    // What deriveSeparator does, module by module: the complement of the data row, the
    // finder heads broken up as there, the first and last four modules light.
    const std::size_t words = (end + 63) / 64;
    for (std::size_t w = 0; w < moduleWords; ++w)
        out.words[w] = w < words ? ~data.words[w] : 0;
    out.width = data.width;
    const auto nextHead = [&](int from) {
        for (int k = from; k < places; k += 2) {
            std::uint64_t two;
            std::memcpy(&two, &heads[static_cast<std::size_t>(k)], 8);
            if (two != 0)
                return k + std::countr_zero(two) / 32;  // the first place set, in memory order
        }
        return n;
    };
    std::size_t offset = 2;  // of element i, from the outer guard module
    int i = 0;
    while (offset < 5)  // the leading run, at least five modules, is never a finder head
        offset += static_cast<std::size_t>(s[i++]);
    for (int k = nextHead(i); k < n; k = nextHead(i)) {
        offset += modulesBetween(s, i, k);
        i = k;
        const int w0 = s[i];
        const int w1 = s[i + 1];
        const int w2 = s[i + 2];
        const std::size_t head = static_cast<std::size_t>(finderHeadModules);
        if (!isDark(row, i)) {
            // Light, dark, light: both light elements alternate from a dark module; the
            // element after the head goes with it.
            alternateFrom(out, span, offset, static_cast<std::size_t>(w0));
            alternateFrom(out, span, offset + static_cast<std::size_t>(w0 + w1), static_cast<std::size_t>(w2));
            offset += head + (i + 3 < n ? static_cast<std::size_t>(s[i + 3]) : 0);
            i += 4;
        } else if (w1 == 1) {
            // Dark, one light module, dark: ten light modules, one dark, two light.
            const std::size_t from = span.at(offset, head);
            assignModules(out, from, from + head, 0);
            const std::size_t dark = span.at(offset + 10, 1);
            assignModules(out, dark, dark + 1, ~std::uint64_t{0});
            offset += head;
            i += 3;
        } else {
            // Dark, light, dark: the light element alternates from a dark module.
            alternateFrom(out, span, offset + static_cast<std::size_t>(w0), static_cast<std::size_t>(w1));
            offset += head;
            i += 3;
        }
    }
    assignModules(out, 0, span.start + 4, 0);
    assignModules(out, end - 4, 64 * words, 0);
}

namespace {

// The middle separator row: four light modules, then alternating single modules.
constexpr auto omniMiddleWidths = [] {
    std::array<int, 43> w{};
    w.fill(1);
    w.front() = 5;
    w.back() = 4;
    return w;
}();

// The same row as module bits: five light modules, 41 alternating single modules from a
// dark one, four light modules.
constexpr module_bits omniMiddleBits = [] {
    module_bits b;
    b.width = rowModules;
    for (std::size_t j = 5; j < rowModules - 4; j += 2)
        b.words[0] |= std::uint64_t{1} << j;
    return b;
}();

// The data and middle rows of the Stacked Omnidirectional symbol of `e`.
struct omni_rows {
    element_row top;
    element_row middle;
    element_row bottom;
};

omni_rows omniRows(const symbol_widths& e)
{
    constexpr int rowElements = 21;
    return {
        element_row{rowElements, 0, 0, true, 1, 0, &e[2]},
        element_row{static_cast<int>(omniMiddleWidths.size()), 0, 0, false, 1, 0, omniMiddleWidths.data()},
        element_row{rowElements, 0, 0, true, 0, 0, &e[23]},
    };
}

}  // namespace

void omni_row_builder::buildRows(std::string_view elementWidths, std::vector<std::string>& rows) const
{
    const symbol_widths e = widthsOf(elementWidths);
    const omni_rows r = omniRows(e);
    // Scratch widths that keep their storage from call to call.
    thread_local std::vector<int> upperWidths;
    thread_local std::vector<int> lowerWidths;
    rows.resize(5);
    renderRow(r.top, rows[0]);
    renderRow(deriveSeparator(r.top, upperWidths), rows[1]);
    renderRow(r.middle, rows[2]);
    renderRow(deriveSeparator(r.bottom, lowerWidths), rows[3]);
    renderRow(r.bottom, rows[4]);
}

void omniFontLines(std::string_view elementWidths, std::vector<std::string>& lines)
{
    const symbol_widths e = widthsOf(elementWidths);
    const omni_rows r = omniRows(e);
    // Each data row is laid out once; its separator is worked out from its modules.
    module_bits top;
    module_bits upper;
    module_bits lower;
    module_bits bottom;
    renderModuleBits(r.top, top);
    deriveSeparatorBits(r.top, top, upper);
    renderModuleBits(r.bottom, bottom);
    deriveSeparatorBits(r.bottom, bottom, lower);
    // The lines as fontLinesFromRows makes them: the top row alone, then the four rows below.
    lines.resize(2);
    underLightCellsLine(top, top.width, lines[0]);
    fourCellLine(upper, omniMiddleBits, lower, bottom, top.width, lines[1]);
}

}  // namespace Kelbrin::Tallowlib
