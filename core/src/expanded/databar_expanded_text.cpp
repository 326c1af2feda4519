// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded and Expanded Stacked: encoder, then widths, then font lines.
#include "symbol_text_parts.hpp"

#include "expanded/databar_expanded.hpp"

namespace Kelbrin::Tallowlib::detail {

void encodeDataBarExpanded(const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                           std::string* humanReadable)
{
    expanded_widths widths;
    int symbolCharacters = 0;
    try {
        symbolCharacters = expandedSymbolWidths(input, segmentsPerRow, widths, humanReadable);
    } catch (...) {
        lines.clear();
        throw;
    }
    expandedFontLines(widths.data(), expandedElementCount(symbolCharacters), segmentsPerRow, lines);
}

}  // namespace Kelbrin::Tallowlib::detail
