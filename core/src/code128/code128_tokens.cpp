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

std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length)
{
    if (text == nullptr)
        return {};
    // At most one token per byte: written in place, then cut to the count.
    std::vector<code128_token> tokens(length);
    code128_token* out = tokens.data();
    for (std::size_t i = 0; i < length;) {
        // The bytes up to the next "~" as they are, then the escape.
        const void* tilde = std::memchr(text + i, '~', length - i);
        const std::size_t plainEnd = tilde == nullptr ? length : static_cast<std::size_t>(static_cast<const char*>(tilde) - text);
        for (; i < plainEnd; ++i)
            *out++ = static_cast<unsigned char>(text[i]);
        if (i == length)
            break;
        const escape e = readEscape(text, i, length);
        *out++ = e.token;
        i += e.length;
    }
    tokens.resize(static_cast<std::size_t>(out - tokens.data()));
    return tokens;
}

}  // namespace Kelbrin::Tallowlib
