// SPDX-License-Identifier: Apache-2.0
// DataBar-14, Limited, Stacked and Stacked Omnidirectional: encoder, then font text.
#include "symbol_text_parts.hpp"

#include "databar/databar14.hpp"
#include "databar/databar_limited.hpp"
#include "databar/databar_stacked.hpp"
#include "font/font_text.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <array>
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

// The element widths, then the font text of the symbology's form; the human-readable text
// only when asked for.
void encodeDataBarFixed(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    const bool limited = s == symbology::databar_limited;
    // The digits read where they are used: a copy of them would cost more than the reading.
    gtin_input g;
    readGtin(input, limited ? gtin_indicators::zero_or_one : gtin_indicators::any, g);
    const std::array<char, 46> elements = limited ? databarLimitedElements(g.digits) : databar14Elements(g.digits);
    fontText(s, std::string_view(elements.data(), elements.size()), lines);
    if (humanReadable != nullptr)
        *humanReadable = gtinHumanReadable(g.digits);
}

}  // namespace Kelbrin::Tallowlib::detail

namespace Kelbrin::Tallowlib {

std::string ean13LookAlike(symbology s, const char* input)
{
    switch (s) {
    case symbology::databar14:
    case symbology::databar_limited:
    case symbology::databar_stacked:
    case symbology::databar_stacked_omni:
        break;
    default:
        return {};
    }
    const gtin_input g = readGtin(input);
    const std::string_view written(g.digits.data() + 1, 13);
    if (g.checkDigitGiven || gs1CheckDigit(written.substr(0, 12)) != written.back())
        return {};
    return std::string(written);
}

}  // namespace Kelbrin::Tallowlib
