// SPDX-License-Identifier: Apache-2.0
#include "code128/code128_patterns.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib {

// ISO/IEC 15417 Table 1, Code 128 character encodation: the widths of every symbol value.
constexpr std::array<std::string_view, 107> code128_symbol_widths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",  // 0
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",  // 10
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",  // 20
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",  // 30
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",  // 40
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",  // 50
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",  // 60
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  // 70
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",  // 80
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",  // 90
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",                              // 100
};

namespace {

constexpr code128_value_font_text fontTextOf(std::string_view widths)
{
    code128_value_font_text out{};
    for (std::size_t i = 0; i < widths.size(); ++i)
        out[i] = static_cast<char>(i % 2 == 0 ? widths[i] : widths[i] - '1' + 'a');
    out.back() = static_cast<char>(widths.size());
    return out;
}

constexpr std::string_view textOf(const code128_value_font_text& glyphs)
{
    return {glyphs.data(), static_cast<std::size_t>(glyphs.back())};
}

}  // namespace

constexpr std::array<code128_value_font_text, 256> code128_value_font_texts = [] {
    std::array<code128_value_font_text, 256> out{};
    for (std::size_t v = 0; v < code128_symbol_widths.size(); ++v)
        out[v] = fontTextOf(code128_symbol_widths[v]);
    return out;
}();

static_assert(textOf(code128_value_font_texts[0]) == "2a2b2b");
static_assert(textOf(code128_value_font_texts[106]) == "2c3a1a2");
static_assert(textOf(code128_value_font_texts[107]).empty() && textOf(code128_value_font_texts[255]).empty());

void appendCode128FontText(std::span<const std::uint8_t> values, std::string& text)
{
    // Each value's whole table entry is copied and the end moved on by its length.
    const std::size_t start = text.size();
    text.resize(start + values.size() * code128FontTextRoom);
    char* w = text.data() + start;
    for (const std::uint8_t v : values)
        w = putCode128FontText(w, v);
    text.resize(static_cast<std::size_t>(w - text.data()));
}

void appendModulesOfFontText(std::string_view fontText, std::string& modules)
{
    for (const char c : fontText) {
        if (c >= '1' && c <= '9')
            modules.append(static_cast<std::size_t>(c - '0'), 'b');
        else if (c >= 'a' && c <= 'i')
            modules.append(static_cast<std::size_t>(c - 'a' + 1), 's');
    }
}

}  // namespace Kelbrin::Tallowlib
