// Code 128 symbol characters as module strings, and module strings as font text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// Module string of every symbol value 0..106: "b" a bar module, "s" a space module. Values
// 0..105 have 11 modules (three bars, three spaces, bar first); the stop (106) has 13.
extern const std::array<std::string_view, 107> code128_symbol_patterns;

// Width characters of one symbol value: up to seven, their count in the last byte.
using code128_value_font_text = std::array<char, 8>;

// The width characters of every symbol value 0..106, as modulesToFontText writes its module
// string; any byte above 106 is no symbol character and has none. Every symbol character
// starts with a bar and ends with a space, so the font text of a symbol is the font texts of
// its values one after another.
extern const std::array<code128_value_font_text, 256> code128_value_font_texts;

// Appends the module string of every value; values above 106 are not symbol characters
// and are skipped.
void appendCode128Modules(const std::vector<std::uint8_t>& values, std::string& modules);

// Width characters: a run of n bar modules ("b" or "B") gives '0' + n, any other run 'a' + n - 1.
std::string modulesToFontText(std::string_view modules);

}  // namespace Kelbrin::Tallowlib
