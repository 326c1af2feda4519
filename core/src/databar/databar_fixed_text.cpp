// DataBar-14, Limited, Stacked and Stacked Omnidirectional: encoder, then font text.
#include "symbol_text_parts.hpp"

#include "databar/databar14.hpp"
#include "databar/databar_limited.hpp"
#include "databar/databar_stacked.hpp"
#include "font/font_text.hpp"

#include <array>
#include <stdexcept>
#include <tuple>

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

// The one line of a Limited symbol: singleRowFontText of its widths, written from the
// element digits as they come (bars shifted by 48 into the letters, spaces as digits).
void limitedFontLine(const databar_limited_elements& elements, std::vector<std::string>& lines)
{
    constexpr auto shifts = [] {
        std::array<char, std::tuple_size_v<databar_limited_elements>> s{};
        for (std::size_t i = 0; i < s.size(); i += 2)
            s[i] = 48;
        return s;
    }();
    lines.resize(1);
    std::string& line = lines.front();
    line.resize(elements.size());
    char* out = line.data();
    for (std::size_t i = 0; i < elements.size(); ++i)
        out[i] = static_cast<char>(elements[i] + shifts[i]);
}

// The element widths straight to the line, the human-readable text only when asked for.
// Kept out of line: inlined, its registers and stack would cost the other symbols' calls.
[[gnu::noinline]] void encodeLimited(const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    const gtin_digits digits = gtinDigits(input);
    limitedFontLine(databarLimitedElements(digits), lines);
    if (humanReadable != nullptr)
        *humanReadable = databarLimitedHumanReadable(digits);
}

}  // namespace

void encodeDataBarFixed(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    if (s == symbology::databar_limited) {
        encodeLimited(input, lines, humanReadable);
        return;
    }
    if (humanReadable != nullptr) {
        std::string barcode;
        databar14_encoder().encode(input, barcode, *humanReadable);
        fontText(s, barcode, lines);
        return;
    }
    // The element widths alone: nobody reads the human-readable text.
    const gtin_digits digits = gtinDigits(input);
    const databar14_elements elements = databar14Elements(digits);
    fontText(s, std::string_view(elements.data(), elements.size()), lines);
}

}  // namespace Kelbrin::Tallowlib::detail
