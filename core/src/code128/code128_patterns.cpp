#include "code128/code128_patterns.hpp"


namespace Kelbrin::Tallowlib {

// The symbol character table of the Code 128 standard, widths written out as modules.
constexpr std::array<std::string_view, 107> code128_symbol_patterns = {
    "bbsbbssbbss", "bbssbbsbbss", "bbssbbssbbs", "bssbssbbsss", "bssbsssbbss", "bsssbssbbss", "bssbbssbsss",
    "bssbbsssbss", "bsssbbssbss", "bbssbssbsss", "bbssbsssbss", "bbsssbssbss", "bsbbssbbbss", "bssbbsbbbss",
    "bssbbssbbbs", "bsbbbssbbss", "bssbbbsbbss", "bssbbbssbbs", "bbssbbbssbs", "bbssbsbbbss", "bbssbssbbbs",
    "bbsbbbssbss", "bbssbbbsbss", "bbbsbbsbbbs", "bbbsbssbbss", "bbbssbsbbss", "bbbssbssbbs", "bbbsbbssbss",
    "bbbssbbsbss", "bbbssbbssbs", "bbsbbsbbsss", "bbsbbsssbbs", "bbsssbbsbbs", "bsbsssbbsss", "bsssbsbbsss",
    "bsssbsssbbs", "bsbbsssbsss", "bsssbbsbsss", "bsssbbsssbs", "bbsbsssbsss", "bbsssbsbsss", "bbsssbsssbs",
    "bsbbsbbbsss", "bsbbsssbbbs", "bsssbbsbbbs", "bsbbbsbbsss", "bsbbbsssbbs", "bsssbbbsbbs", "bbbsbbbsbbs",
    "bbsbsssbbbs", "bbsssbsbbbs", "bbsbbbsbsss", "bbsbbbsssbs", "bbsbbbsbbbs", "bbbsbsbbsss", "bbbsbsssbbs",
    "bbbsssbsbbs", "bbbsbbsbsss", "bbbsbbsssbs", "bbbsssbbsbs", "bbbsbbbbsbs", "bbssbssssbs", "bbbbsssbsbs",
    "bsbssbbssss", "bsbssssbbss", "bssbsbbssss", "bssbssssbbs", "bssssbsbbss", "bssssbssbbs", "bsbbssbssss",
    "bsbbssssbss", "bssbbsbssss", "bssbbssssbs", "bssssbbsbss", "bssssbbssbs", "bbssssbssbs", "bbssbsbssss",
    "bbbbsbbbsbs", "bbssssbsbss", "bsssbbbbsbs", "bsbssbbbbss", "bssbsbbbbss", "bssbssbbbbs", "bsbbbbssbss",
    "bssbbbbsbss", "bssbbbbssbs", "bbbbsbssbss", "bbbbssbsbss", "bbbbssbssbs", "bbsbbsbbbbs", "bbsbbbbsbbs",
    "bbbbsbbsbbs", "bsbsbbbbsss", "bsbsssbbbbs", "bsssbsbbbbs", "bsbbbbsbsss", "bsbbbbsssbs", "bbbbsbsbsss",
    "bbbbsbsssbs", "bsbbbsbbbbs", "bsbbbbsbbbs", "bbbsbsbbbbs", "bbbbsbsbbbs", "bbsbssssbss", "bbsbssbssss",
    "bbsbssbbbss", "bbsssbbbsbsbb",
};

namespace {

// Width characters of one module string, as modulesToFontText writes them (at most 7 for
// the stop, 6 for every other symbol character), their count in the last byte.
constexpr code128_value_font_text fontTextOf(std::string_view modules)
{
    code128_value_font_text out{};
    constexpr std::size_t last = out.size() - 1;
    std::size_t size = 0;
    for (std::size_t i = 0; i < modules.size() && size < last;) {
        std::size_t j = i + 1;
        while (j < modules.size() && modules[j] == modules[i])
            ++j;
        const auto run = static_cast<int>(j - i);
        out[size++] = static_cast<char>((modules[i] == 'b' ? 48 : 96) + run);
        i = j;
    }
    out[last] = static_cast<char>(size);
    return out;
}

constexpr std::string_view textOf(const code128_value_font_text& glyphs)
{
    return {glyphs.data(), static_cast<std::size_t>(glyphs.back())};
}

}  // namespace

constexpr std::array<code128_value_font_text, 256> code128_value_font_texts = [] {
    std::array<code128_value_font_text, 256> out{};
    for (std::size_t v = 0; v < code128_symbol_patterns.size(); ++v)
        out[v] = fontTextOf(code128_symbol_patterns[v]);
    return out;
}();

static_assert(textOf(code128_value_font_texts[0]) == "2a2b2b");
static_assert(textOf(code128_value_font_texts[106]) == "2c3a1a2");
static_assert(textOf(code128_value_font_texts[107]).empty() && textOf(code128_value_font_texts[255]).empty());

void appendCode128Modules(const std::vector<std::uint8_t>& values, std::string& modules)
{
    modules.reserve(modules.size() + values.size() * 11 + 2);
    for (const std::uint8_t v : values)
        if (v < code128_symbol_patterns.size())
            modules.append(code128_symbol_patterns[v]);
}

std::string modulesToFontText(std::string_view modules)
{
    std::string text;
    text.reserve(128);
    for (std::size_t i = 0; i < modules.size();) {
        const char c = modules[i];
        std::size_t j = i + 1;
        while (j < modules.size() && modules[j] == c)
            ++j;
        const auto run = static_cast<int>(j - i);
        const bool bar = c == 'b' || c == 'B';
        text.push_back(static_cast<char>((bar ? 48 : 96) + run));
        i = j;
    }
    return text;
}

}  // namespace Kelbrin::Tallowlib
