// DataBar-14, Limited, Stacked and Stacked Omnidirectional: encoder, then font text.
#include "symbol_text_parts.hpp"

#include "tallowlib/databar14.hpp"
#include "tallowlib/databar_limited.hpp"
#include "tallowlib/databar_stacked.hpp"
#include "tallowlib/font_text.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib::detail {

namespace {

// The caller's lines keep their storage.
void fontText(symbology s, std::string_view elementWidths, std::vector<std::string>& lines)
{
    switch (s) {
    case symbology::databar14:
    case symbology::databar_limited:
        lines.resize(1);
        singleRowFontText(elementWidths, lines.front());
        break;
    case symbology::databar_stacked:
        lines.resize(1);
        stackedFontText(elementWidths, lines.front());
        break;
    case symbology::databar_stacked_omni:
        omniFontLines(elementWidths, lines);
        break;
    default:
        throw std::invalid_argument("not a fixed-length DataBar symbology");
    }
}

}  // namespace

void encodeDataBarFixed(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    if (humanReadable != nullptr) {
        std::string barcode;
        if (s == symbology::databar_limited)
            databar_limited_encoder().encode(input, barcode, *humanReadable);
        else
            databar14_encoder().encode(input, barcode, *humanReadable);
        fontText(s, barcode, lines);
        return;
    }
    // The element widths alone: nobody reads the human-readable text.
    const gtin_digits digits = gtinDigits(input);
    if (s == symbology::databar_limited) {
        fontText(s, databarLimitedElementWidths(digits), lines);
        return;
    }
    const databar14_elements elements = databar14Elements(digits);
    fontText(s, std::string_view(elements.data(), elements.size()), lines);
}

}  // namespace Kelbrin::Tallowlib::detail
