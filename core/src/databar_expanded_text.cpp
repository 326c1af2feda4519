// DataBar Expanded and Expanded Stacked: encoder, then rows, then font lines.
#include "symbol_text_parts.hpp"

#include "tallowlib/databar_expanded.hpp"

namespace Kelbrin::Tallowlib::detail {

void encodeDataBarExpanded(const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                           std::string* humanReadable)
{
    lines.clear();
    std::string barcode;
    std::string text;
    databar_expanded_encoder().encode(input, segmentsPerRow, barcode, text);
    expanded_row_builder(segmentsPerRow).fontLines(barcode, lines);
    if (humanReadable != nullptr)
        *humanReadable = std::move(text);
}

}  // namespace Kelbrin::Tallowlib::detail
