// SPDX-License-Identifier: Apache-2.0
// Code 128 symbol characters: their widths, and as font text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// The element widths of every symbol value 0..106, bar first: three bars and three spaces
// of 11 modules, the stop four bars and three spaces of 13.
extern const std::array<std::string_view, 107> code128_symbol_widths;

// Width characters of one symbol value: up to seven, their count in the last byte. A bar of
// n modules is '0' + n, a space of n modules 'a' + n - 1.
using code128_value_font_text = std::array<char, 8>;

// The width characters of every symbol value 0..106; any byte above 106 is no symbol
// character and has none. Every symbol character starts with a bar and ends with a space,
// so the font text of a symbol is the font texts of its values one after another.
extern const std::array<code128_value_font_text, 256> code128_value_font_texts;

// Writes the width characters of value `v` at `w` and returns the end of them. The whole
// table entry is copied, so `w` must have room for eight characters.
inline char* putCode128FontText(char* w, std::uint8_t v)
{
    const code128_value_font_text& glyphs = code128_value_font_texts[v];
    std::memcpy(w, glyphs.data(), glyphs.size());
    return w + glyphs.back();
}

// The most characters putCode128FontText writes for one value.
inline constexpr std::size_t code128FontTextRoom = sizeof(code128_value_font_text);

// Appends the width characters of the values to `text`.
void appendCode128FontText(std::span<const std::uint8_t> values, std::string& text);

// Appends the module string ("b" a bar module, "s" a space module) that the width
// characters stand for; any other character stands for none.
void appendModulesOfFontText(std::string_view fontText, std::string& modules);

}  // namespace Kelbrin::Tallowlib
