// DataBar Expanded (Stacked) rows: the element-width text cut into rows of at most the
// chosen number of segments, alternating direction, with separator rows between them.
#include "tallowlib/databar_expanded.hpp"
#include "tallowlib/databar_stacked.hpp"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

using detail::halfPairElements;
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
    const int t = 2 * (size / pairElements) + (tail != 0 ? 1 : 0);
    if (t == 0)
        return;

    std::array<int, 11 * pairElements> widths{};
    for (int i = 0; i < size; ++i)
        widths[static_cast<std::size_t>(i)] = text[static_cast<std::size_t>(i)] - '0';

    const int s = segmentsPerRow_;
    const int width = rowModules(std::min(s, t));
    const std::string middle = middleSeparator(width);
    std::vector<int> separatorWidths;

    for (int k = 0, r = 0;; k += s, ++r) {
        const int q = k / 2;
        const int direction = (q % 2) ^ (r % 2);
        element_row data;
        data.guard = true;
        data.first_light = q % 2 == 0 ? 1 : 0;
        data.widths = widths.data() + pairElements * q;
        if (k + s < t) {
            data.count = pairElements * s / 2;
            data.reversed = direction;
            const std::string separator = renderRow(deriveSeparator(data, separatorWidths));
            if (r > 0) {
                rows.push_back(middle);
                rows.push_back(separator);
            }
            rows.push_back(renderRow(data));
            rows.push_back(separator);
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
        if (k > 0) {
            rows.push_back(middle);
            rows.push_back(renderRow(deriveSeparator(data, separatorWidths)));
        }
        rows.push_back(renderRow(data));
        return;
    }
}

}  // namespace Kelbrin::Tallowlib
