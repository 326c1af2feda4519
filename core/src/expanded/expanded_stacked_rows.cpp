// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded (Stacked) rows: the symbol's widths cut into data rows of at most the
// chosen number of segments, alternating direction, with separator rows between them, and
// printed as lines of column characters.
#include "expanded/databar_expanded.hpp"
#include "font/font_text.hpp"
#include "rows/module_row.hpp"
#include "rows/separator.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib {

namespace {

using detail::halfPairElements;
using detail::pairElements;

constexpr int guardModules = 4;       // two at each end of a row
constexpr int pairModules = 49;       // two characters of 17 and a finder of 15
constexpr int halfPairModules = 32;   // one character and a finder

constexpr int rowModules(int segments) { return guardModules + pairModules * (segments / 2) + halfPairModules * (segments % 2); }

// Calls emit(row, last) for every data row of the symbol, top to bottom, `last` true for
// the bottom one. `t` symbol characters, at most `s` segments per row.
template <typename Emit>
void forEachDataRow(const int* widths, int t, int s, Emit&& emit)
{
    const int width = rowModules(std::min(s, t));
    for (int k = 0, r = 0;; k += s, ++r) {
        const int q = k / 2;
        const bool reversed = q % 2 != r % 2;
        element_row data;
        data.first_light = q % 2 == 0;
        data.widths = widths + pairElements * q;
        if (k + s < t) {
            data.count = pairElements * s / 2;
            data.reversed = reversed;
            emit(data, false);
            continue;
        }
        // The last row: the remaining segments, padded to the full width on the right. A
        // row that would run right to left with an odd element count is laid out left to
        // right instead, one module further right.
        const int pairs = t / 2 - q;
        data.count = pairElements * pairs + halfPairElements * (t % 2);
        const int missing = width - rowModules(2 * pairs + t % 2);
        if (reversed && data.count % 2 == 1) {
            data.reversed = false;
            data.left_pad = 1;
            data.right_pad = std::max(missing - 1, 0);
        } else {
            data.reversed = reversed;
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

void expandedFontLines(const int* widths, int elementCount, int segmentsPerRow, std::vector<std::string>& lines)
{
    const int t = symbolCharactersOf(elementCount);
    if (t == 0) {
        lines.clear();
        return;
    }
    // Each data row is laid out once and its separator worked out from its modules; the
    // separators of the row above and of this row take turns in two slots.
    const int segments = normaliseSegmentsPerRow(segmentsPerRow);
    const auto width = static_cast<std::size_t>(rowModules(std::min(segments, t)));
    module_bits middle;
    middleSeparator(width, middle);
    module_bits data;
    std::array<module_bits, 2> separators;
    std::size_t used = 0;
    forEachDataRow(widths, t, segments, [&](const element_row& row, bool last) {
        if (used == lines.size())
            lines.emplace_back();
        std::string& line = lines[used];
        layOutRow(row, data);
        if (used > 0 || !last)
            dataRowSeparator(row, data, separators[used % 2]);
        if (used == 0)
            underLightCellsLine(data, width, line);
        else
            fourCellLine(separators[(used - 1) % 2], middle, separators[used % 2], data, width, line);
        ++used;
    });
    lines.resize(used);
}

}  // namespace Kelbrin::Tallowlib
