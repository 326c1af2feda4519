// DataBar Expanded (Stacked) rows: the element-width text cut into rows of at most the
// chosen number of segments, alternating direction, with separator rows between them.
#include "expanded/databar_expanded.hpp"
#include "databar/databar_stacked.hpp"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

using detail::halfPairElements;
using detail::maxSymbolCharacters;
using detail::pairElements;

constexpr int guardModules = 4;       // two at each end of a row
constexpr int pairModules = 49;       // two characters of 17 and a finder of 15
constexpr int halfPairModules = 32;   // one character and a finder

constexpr int rowModules(int segments) { return guardModules + pairModules * (segments / 2) + halfPairModules * (segments % 2); }

// Five light modules, single modules alternating from dark, four or five light at the end.
std::string middleSeparator(int width)
{
    std::string row(static_cast<std::size_t>(width), '0');
    const int lastSingle = width - (width % 2 == 0 ? 4 : 5);
    for (int j = 5; j < lastSingle; ++j)
        if ((j - 5) % 2 == 0)
            row[static_cast<std::size_t>(j)] = '1';
    return row;
}

// Calls emit(row, last) for every data row of the symbol, top to bottom, `last` true for
// the bottom one. `t` symbol characters, at most `s` segments per row.
template <typename Emit>
void forEachDataRow(const int* widths, int t, int s, Emit&& emit)
{
    const int width = rowModules(std::min(s, t));
    for (int k = 0, r = 0;; k += s, ++r) {
        const int q = k / 2;
        const int direction = (q % 2) ^ (r % 2);
        element_row data;
        data.guard = true;
        data.first_light = q % 2 == 0 ? 1 : 0;
        data.widths = widths + pairElements * q;
        if (k + s < t) {
            data.count = pairElements * s / 2;
            data.reversed = direction;
            emit(data, false);
            continue;
        }
        // The last row: the remaining segments, padded to the full width on the right. A
        // row that would run right to left with an odd element count is laid out left to
        // right instead, one module further right.
        const int pairs = t / 2 - q;
        data.count = pairElements * pairs + halfPairElements * (t % 2);
        const int missing = width - rowModules(2 * pairs + t % 2);
        if (direction == 1 && data.count % 2 == 1) {
            data.reversed = 0;
            data.left_pad = 1;
            data.right_pad = std::max(missing - 1, 0);
        } else {
            data.reversed = direction;
            data.right_pad = missing;
        }
        emit(data, true);
        return;
    }
}

// The symbol characters of an element count: 21 elements per pair, 13 for a half pair.
constexpr int symbolCharactersOf(int elements)
{
    return 2 * (elements / pairElements) + (elements % pairElements != 0 ? 1 : 0);
}

// The middle separator rows as module bits, by the segments of the widest row (1 to 22).
constexpr auto middleSeparators = [] {
    std::array<module_bits, maxSymbolCharacters + 1> rows{};
    for (int segments = 1; segments <= maxSymbolCharacters; ++segments) {
        const int width = rowModules(segments);
        module_bits& row = rows[static_cast<std::size_t>(segments)];
        row.width = static_cast<std::size_t>(width);
        const int lastSingle = width - (width % 2 == 0 ? 4 : 5);
        for (int j = 5; j < lastSingle; j += 2)
            row.words[static_cast<std::size_t>(j / 64)] |= std::uint64_t{1} << (j % 64);
    }
    return rows;
}();

}  // namespace

int normaliseSegmentsPerRow(int segments)
{
    std::int64_t s = segments;  // wide enough for the odd-value step at the int limits
    if (s % 2 != 0)
        s = (s / 2) * 2 + 2;
    if (s > 22 || s <= 0)
        s = 22;
    return static_cast<int>(s);
}

void expanded_row_builder::buildRows(std::string_view text, std::vector<std::string>& rows) const
{
    rows.clear();
    const int size = static_cast<int>(text.size());
    const int tail = size % pairElements;
    if (size > 11 * pairElements || (tail != 0 && tail != halfPairElements) ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; }))
        throw std::invalid_argument("not a DataBar Expanded element-width text");
    const int t = symbolCharactersOf(size);
    if (t == 0)
        return;

    std::array<int, 11 * pairElements> widths{};
    for (int i = 0; i < size; ++i)
        widths[static_cast<std::size_t>(i)] = text[static_cast<std::size_t>(i)] - '0';

    // Every data row has its separator above and below it, the middle separator rows between.
    const std::string middle = middleSeparator(rowModules(std::min(segmentsPerRow_, t)));
    thread_local std::vector<int> separatorWidths;  // keeps its storage from call to call
    forEachDataRow(widths.data(), t, segmentsPerRow_, [&](const element_row& data, bool last) {
        const std::string separator = renderRow(deriveSeparator(data, separatorWidths));
        if (!rows.empty()) {
            rows.push_back(middle);
            rows.push_back(separator);
        }
        rows.push_back(renderRow(data));
        if (!last)
            rows.push_back(separator);
    });
}

void expanded_row_builder::fontLinesFromWidths(const int* widths, int elementCount, std::vector<std::string>& lines) const
{
    const int t = symbolCharactersOf(elementCount);
    if (t == 0) {
        lines.clear();
        return;
    }
    // Line 1 is the first data row; every further line the separator of the row above, the
    // middle separator, the separator of the next data row and that row. Each data row is
    // laid out once and its separator worked out from its modules.
    const module_bits& middle = middleSeparators[static_cast<std::size_t>(std::min(segmentsPerRow_, t))];
    module_bits data;
    std::array<module_bits, 2> separators;  // of the row above and of this row, by turns
    std::size_t width = 0;
    std::size_t used = 0;
    forEachDataRow(widths, t, segmentsPerRow_, [&](const element_row& row, bool last) {
        if (used == lines.size())
            lines.emplace_back();
        std::string& line = lines[used];
        if (used == 0 && last) {  // a single row: no separators to work out
            underLightCellsLine(row, line);
            width = line.size();
            ++used;
            return;
        }
        renderModuleBits(row, data);
        if (used == 0) {
            width = data.width;
            underLightCellsLine(data, width, line);
            if (!last)
                deriveSeparatorBits(row, data, separators[0]);
        } else {
            const module_bits& above = separators[(used - 1) % 2];
            module_bits& below = separators[used % 2];
            deriveSeparatorBits(row, data, below);
            fourCellLine(above, middle, below, data, width, line);
        }
        ++used;
    });
    lines.resize(used);
}

}  // namespace Kelbrin::Tallowlib
