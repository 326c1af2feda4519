// DataBar-14, Limited, Stacked and Stacked Omnidirectional: encoder, then font text.
#include "symbol_text_parts.hpp"

#include "tallowlib/databar14.hpp"
#include "tallowlib/databar_limited.hpp"
#include "tallowlib/databar_stacked.hpp"
#include "tallowlib/font_text.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib::detail {

void encodeDataBarFixed(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    std::string barcode;
    std::string text;
    if (s == symbology::databar_limited)
        databar_limited_encoder().encode(input, barcode, text);
    else
        databar14_encoder().encode(input, barcode, text);

    switch (s) {
    case symbology::databar14:
    case symbology::databar_limited:
        lines.resize(1);  // the caller's line keeps its storage
        singleRowFontText(barcode, lines.front());
        break;
    case symbology::databar_stacked:
        lines.resize(1);
        lines.front() = stackedFontText(barcode);
        break;
    case symbology::databar_stacked_omni:
        omni_row_builder().fontLines(barcode, lines);
        break;
    default:
        throw std::invalid_argument("not a fixed-length DataBar symbology");
    }
    if (humanReadable != nullptr)
        *humanReadable = std::move(text);
}

}  // namespace Kelbrin::Tallowlib::detail
