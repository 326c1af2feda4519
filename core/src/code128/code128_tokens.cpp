// SPDX-License-Identifier: Apache-2.0
// Code 128 messages read into tokens: "~" escapes for control and function characters.
#include "code128/code128_values.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib {

namespace {

constexpr bool isDecimal(char c) { return c >= '0' && c <= '9'; }

// The escape starting at text[i] == '~': the token and the number of bytes it takes.
struct escape {
    code128_token token;
    std::size_t length;
};

escape readEscape(const char* text, std::size_t i, std::size_t length)
{
    constexpr escape literalTilde{'~', 1};
    if (i + 1 >= length)
        return literalTilde;
    const char next = text[i + 1];
    if (next >= '@' && next <= 'Z')
        return {static_cast<code128_token>(next - '@'), 2};
    if (next >= '1' && next <= '4')
        return {static_cast<code128_token>(code128_fnc1 + (next - '1')), 2};
    if (next == 'd' && i + 4 < length && isDecimal(text[i + 2]) && isDecimal(text[i + 3]) && isDecimal(text[i + 4])) {
        const int code = (text[i + 2] - '0') * 100 + (text[i + 3] - '0') * 10 + (text[i + 4] - '0');
        if (code <= 255)
            return {static_cast<code128_token>(code), 5};
    }
    return literalTilde;
}

}  // namespace

void code128_message::appendText(const char* text, std::size_t length)
{
    if (text == nullptr)
        return;
    // At most one token per byte, and the end marker.
    positions_.reserve(size_ + length + 1, size_);
    code128_position* const first = positions_.data();
    code128_position* out = first + size_;
    for (std::size_t i = 0; i < length;) {
        // The bytes up to the next "~" as they are, then the escape.
        const void* tilde = std::memchr(text + i, '~', length - i);
        const std::size_t plainEnd = tilde == nullptr ? length : static_cast<std::size_t>(static_cast<const char*>(tilde) - text);
        for (; i < plainEnd; ++i)
            (out++)->token = static_cast<unsigned char>(text[i]);
        if (i == length)
            break;
        const escape e = readEscape(text, i, length);
        (out++)->token = e.token;
        i += e.length;
    }
    size_ = static_cast<std::size_t>(out - first);
}

void code128_message::append(code128_token token)
{
    positions_.reserve(size_ + 2, size_);
    positions_.data()[size_++].token = token < code128_fnc4 ? token : code128_fnc4;  // past FNC4: taken as FNC4
}

std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length)
{
    code128_message message;
    message.appendText(text, length);
    std::vector<code128_token> tokens(message.size());
    for (std::size_t i = 0; i < tokens.size(); ++i)
        tokens[i] = message[i];
    return tokens;
}

}  // namespace Kelbrin::Tallowlib
