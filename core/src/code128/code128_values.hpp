// Code 128 messages: "~" escapes to tokens, tokens to symbol values with automatic code sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Kelbrin::Tallowlib {

// A data character holds its code (0..255) in the low byte and 0 in the high byte; a function
// character holds 0 in the low byte and its number (199..202) in the high byte.
using code128_token = std::uint16_t;

inline constexpr code128_token code128_fnc1 = 199 << 8;
inline constexpr code128_token code128_fnc2 = 200 << 8;
inline constexpr code128_token code128_fnc3 = 201 << 8;
inline constexpr code128_token code128_fnc4 = 202 << 8;

// Symbol values with a fixed meaning.
namespace code128_value {
inline constexpr std::uint8_t shift = 98;
inline constexpr std::uint8_t codeC = 99;
inline constexpr std::uint8_t codeB = 100;  // FNC4 in set B
inline constexpr std::uint8_t codeA = 101;  // FNC4 in set A
inline constexpr std::uint8_t fnc1 = 102;
inline constexpr std::uint8_t startA = 103;
inline constexpr std::uint8_t startB = 104;
inline constexpr std::uint8_t startC = 105;
inline constexpr std::uint8_t stop = 106;
}  // namespace code128_value

// Reads `length` bytes of `text`. "~@".."~Z" give the codes 0..26, "~1".."~4" FNC1..FNC4,
// "~dNNN" the code NNN (0..255); any other "~" is the data character "~" itself.
std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length);
void tokenizeCode128(const char* text, std::size_t length, std::vector<code128_token>& tokens);

// A token as the encoder's tables index it: a data character's code (0..255), FNC1..FNC4 as
// 256..259.
using code128_slot = std::uint16_t;

// The tokens of tokenizeCode128 as slots, written into `slots` from the start; `slots` is
// grown to hold `length` when smaller and never cut, so that scratch storage keeps its size.
// Gives the number of tokens.
std::size_t tokenizeCode128Slots(const char* text, std::size_t length, std::vector<code128_slot>& slots);

// Start, data, code changes, check character and stop (values 0..106).
std::vector<std::uint8_t> encodeCode128Values(const std::vector<code128_token>& tokens);
void encodeCode128Values(const std::vector<code128_token>& tokens, std::vector<std::uint8_t>& values);

// The width characters of the same values (code128_value_font_texts one after another),
// written as the values are worked out; `text` is overwritten.
void encodeCode128FontText(const std::vector<code128_token>& tokens, std::string& text);
void encodeCode128FontText(const code128_slot* slots, std::size_t count, std::string& text);

}  // namespace Kelbrin::Tallowlib
