// Code 128 messages: "~" escapes to tokens, tokens to symbol values with automatic code sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Kelbrin::Tallowlib {

// A data character is its code (0..255); FNC1..FNC4 are 256..259.
using code128_token = std::uint16_t;

inline constexpr code128_token code128_fnc1 = 256;
inline constexpr code128_token code128_fnc2 = 257;
inline constexpr code128_token code128_fnc3 = 258;
inline constexpr code128_token code128_fnc4 = 259;

// Symbol values with a fixed meaning.
namespace code128_value {
inline constexpr std::uint8_t fnc3 = 96;
inline constexpr std::uint8_t fnc2 = 97;
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

// Reads `length` bytes of `text` (none when it is null). "~@".."~Z" give the codes 0..26,
// "~1".."~4" FNC1..FNC4, "~dNNN" the code NNN (0..255); any other "~" is the data character
// "~" itself.
std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length);

// Start, data, code changes, check character and stop (values 0..106). Code C for digit runs
// worth it, A or B for the rest with shifts for single characters of the other set, and FNC4
// before characters 128..255, latched for runs of them.
std::vector<std::uint8_t> encodeCode128Values(std::span<const code128_token> tokens);

}  // namespace Kelbrin::Tallowlib
