// SPDX-License-Identifier: Apache-2.0
#include "symbol_geometry.hpp"

namespace Kelbrin::Tarnwick::Cli {

using Tallowlib::symbology;

namespace {

constexpr int separatorHeight = 1;

// Height of the data row with the given index (0 the top row).
int dataRowHeight(symbology s, int index)
{
    switch (s) {
    case symbology::databar14:
    case symbology::databar_stacked_omni:
        return 33;
    case symbology::databar_limited:
        return 10;
    case symbology::databar_stacked:
        return index == 0 ? 5 : 7;
    case symbology::databar_expanded:
        return 34;
    case symbology::code128:
    case symbology::gs1_128:
        break;
    }
    return 30;
}

}  // namespace

std::vector<int> rowHeights(symbology s, const Tallowlib::module_rows& rows)
{
    std::vector<int> heights;
    heights.reserve(rows.rows.size());
    int dataRows = 0;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const bool data = i < rows.dataRow.size() && rows.dataRow[i];
        heights.push_back(data ? dataRowHeight(s, dataRows++) : separatorHeight);
    }
    return heights;
}

}  // namespace Kelbrin::Tarnwick::Cli
