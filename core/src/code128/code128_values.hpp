// SPDX-License-Identifier: Apache-2.0
// Code 128 messages: "~" escapes to tokens, tokens to symbol values with automatic code sets.
#pragma once

#include "code128/small_buffer.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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

enum class code128_set : std::uint8_t { a, b, c };

// What the encoder needs at one position of a message: the token, set when it is appended,
// and the rest worked out from the end of the message just before encoding.
struct code128_position {
    // The digit run from here, this token at offset 0: a digit counts one, an FNC1 at an
    // even offset two; anything else, or an FNC1 at an odd offset, ends it.
    std::uint32_t digitRun;
    code128_token token;
    std::uint8_t classes;  // of the token, as the encoder's tables give them
    // The set of the first character from here that needs A or B; B when none does.
    code128_set needed;
};

// A message as tokens, encoded into symbol values or straight into font text. Typical
// messages live inside the object; longer ones on the heap, grown as tokens are appended.
class code128_message {
public:
    code128_message() = default;
    code128_message(const code128_message&) = delete;
    code128_message& operator=(const code128_message&) = delete;

    // Appends the tokens of `length` bytes of `text` (none when it is null). "~@".."~Z" give
    // the codes 0..26, "~1".."~4" FNC1..FNC4, "~dNNN" the code NNN (0..255); any other "~"
    // is the data character "~" itself.
    void appendText(const char* text, std::size_t length);
    // Appends one token; any above FNC4 is taken as FNC4.
    void append(code128_token token);

    std::size_t size() const { return size_; }
    code128_token operator[](std::size_t i) const { return positions_.data()[i].token; }

    // Start, data, code changes, check character and stop (values 0..106). Code C for digit
    // runs worth it, A or B for the rest with shifts for single characters of the other set,
    // and FNC4 before characters 128..255, latched for runs of them.
    std::vector<std::uint8_t> values();
    // The width characters of the same values, appended to `text`.
    void appendFontText(std::string& text);

private:
    // Fills in every position's digit run, classes and needed set; the position after the
    // last is an end marker.
    const code128_position* prepared();

    // One more than the tokens, for the end marker.
    small_buffer<code128_position, 96> positions_;
    std::size_t size_ = 0;
};

// The tokens of `length` bytes of `text`, read as code128_message::appendText reads them.
std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length);

// The symbol values of the tokens, as code128_message::values gives them.
std::vector<std::uint8_t> encodeCode128Values(std::span<const code128_token> tokens);

}  // namespace Kelbrin::Tallowlib
