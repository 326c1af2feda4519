#include "tallowlib/databar_stacked.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
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
    symbol_widths w{};
    for (std::size_t i = 0; i < w.size(); ++i) {
        const char c = elementWidths[i];
        if (c < '1' || c > '9')
            throw std::invalid_argument("element widths are digits 1 to 9");
        w[i] = c - '0';
    }
    return w;
}

// Cells of the three-cell column characters by top, separator and bottom module (1 dark).
constexpr std::array<char, 8> threeCellTable = {
    'Z', 'j', 'k', 'l',  // 000 001 010 011
    'w', 'x', 'y', 'Z',  // 100 101 110 111
};

// Puts one element of `width` modules (1 dark, 0 light) at `at` of a row of rowModules
// modules, as far as the row reaches; returns where the next element starts.
std::size_t putRun(std::array<char, rowModules>& row, std::size_t at, int width, bool dark)
{
    for (int k = 0; k < width && at < row.size(); ++k)
        row[at++] = dark ? 1 : 0;
    return at;
}

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

}  // namespace

std::string stackedFontText(std::string_view elementWidths)
{
    std::string line;
    stackedFontText(elementWidths, line);
    return line;
}

void stackedFontText(std::string_view elementWidths, std::string& line)
{
    const symbol_widths e = widthsOf(elementWidths);
    std::array<char, rowModules> top{};
    std::array<char, rowModules> bottom{};
    std::size_t t = 0;
    std::size_t b = 0;
    for (std::size_t i = 0; i < halfElements; ++i)
        t = putRun(top, t, e[i], i % 2 == 1);
    t = putRun(top, t, 1, true);  // "11" closes the top row: elements 23 (dark) and 24 (light)
    putRun(top, t, 1, false);
    b = putRun(bottom, b, 1, true);  // "11" opens the bottom row: elements 0 (dark) and 1 (light)
    b = putRun(bottom, b, 1, false);
    for (std::size_t i = halfElements; i < databar14Elements; ++i)
        b = putRun(bottom, b, e[i], (i - halfElements) % 2 == 0);

    line.resize(rowModules);
    int previous = 1;  // so that an unequal column 0 gives a light separator module
    for (std::size_t j = 0; j < rowModules; ++j) {
        const int up = top[j];
        const int down = bottom[j];
        // The quiet ends are forced light after the whole row is derived, so the run
        // continues from the unforced value.
        previous = up == down ? 1 - up : 1 - previous;
        const int separator = j < 4 || j >= rowModules - 4 ? 0 : previous;
        line[j] = threeCellTable[static_cast<std::size_t>(up << 2 | separator << 1 | down)];
    }
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

// The middle separator row: four light modules, then alternating single modules.
constexpr auto omniMiddleWidths = [] {
    std::array<int, 43> w{};
    w.fill(1);
    w.front() = 5;
    w.back() = 4;
    return w;
}();

// The same row as bits: five light modules, 41 alternating single modules from a dark one,
// four light modules.
constexpr row_bits omniMiddleBits = [] {
    row_bits b{0, 50};
    for (std::size_t j = 5; j < 46; j += 2)
        b.dark |= std::uint64_t{1} << j;
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
    thread_local std::vector<int> upperWidths;
    thread_local std::vector<int> lowerWidths;
    const std::array<row_bits, 5> bits = {renderRowBits(r.top), renderRowBits(deriveSeparator(r.top, upperWidths)),
                                        omniMiddleBits, renderRowBits(deriveSeparator(r.bottom, lowerWidths)),
                                        renderRowBits(r.bottom)};
    const std::size_t width = bits[0].width;
    if (width > 64) {  // only a malformed element text gets here
        omni_row_builder().fontLines(elementWidths, lines);
        return;
    }
    // The lines as fontLinesFromRows makes them: the top row alone, then the four rows below.
    lines.resize(2);
    lines[0].resize(width);
    lines[1].resize(width);
    char* const upper = lines[0].data();
    char* const lower = lines[1].data();
    std::uint64_t d0 = bits[0].dark;
    std::uint64_t d1 = bits[1].dark;
    std::uint64_t d2 = bits[2].dark;
    std::uint64_t d3 = bits[3].dark;
    std::uint64_t d4 = bits[4].dark;
    for (std::size_t j = 0; j < width; ++j) {
        upper[j] = (d0 & 1u) != 0 ? 'm' : 'a';
        lower[j] = fourCellCharacterOf(static_cast<unsigned>((d1 & 1u) << 3 | (d2 & 1u) << 2 | (d3 & 1u) << 1 | (d4 & 1u)));
        d0 >>= 1;
        d1 >>= 1;
        d2 >>= 1;
        d3 >>= 1;
        d4 >>= 1;
    }
}

}  // namespace Kelbrin::Tallowlib
