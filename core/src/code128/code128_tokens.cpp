// Code 128 messages read into tokens: "~" escapes for control and function characters.
#include "code128/code128_values.hpp"

#include "code128/code128_token_classes.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace Kelbrin::Tallowlib {

namespace {

constexpr bool isDecimal(char c) { return c >= '0' && c <= '9'; }

constexpr code128_token dataToken(unsigned char code) { return code; }

// The escape starting at text[i] == '~': the token and the number of bytes it takes.
struct escape {
    code128_token token;
    std::size_t length;
};

escape readEscape(const char* text, std::size_t i, std::size_t length)
{
    constexpr escape literalTilde{dataToken('~'), 1};
    if (i + 1 >= length)
        return literalTilde;
    const char next = text[i + 1];
    if (next >= '@' && next <= 'Z')
        return {dataToken(static_cast<unsigned char>(next - '@')), 2};
    if (next >= '1' && next <= '4')
        return {static_cast<code128_token>((199 + (next - '1')) << 8), 2};
    if (next == 'd' && i + 4 < length && isDecimal(text[i + 2]) && isDecimal(text[i + 3]) && isDecimal(text[i + 4])) {
        const int code = (text[i + 2] - '0') * 100 + (text[i + 3] - '0') * 10 + (text[i + 4] - '0');
        if (code <= 255)
            return {dataToken(static_cast<unsigned char>(code)), 5};
    }
    return literalTilde;
}

constexpr code128_token asToken(code128_token t) { return t; }
constexpr code128_slot asSlot(code128_token t) { return detail::code128SlotOf(t); }

// Bytes are read a block of sixteen at a time: the block is widened into sixteen data
// characters whatever it holds, and the count moved on to its first "~" only, so that the
// characters from there are written again. `out` holds `length` elements and the count
// never passes the bytes read, so the sixteen written always fit.
constexpr std::size_t blockBytes = 16;

constexpr std::uint64_t everyByte(std::uint8_t b) { return 0x0101010101010101u * b; }

// Nonzero when a byte of the word is "~".
constexpr std::uint64_t tildeMarks(std::uint64_t word)
{
    const std::uint64_t x = word ^ everyByte('~');
    return (x - everyByte(1)) & ~x & everyByte(0x80);
}

static_assert(tildeMarks(0x4142434445464748u) == 0 && tildeMarks(0x41427E4445464748u) != 0);
static_assert(tildeMarks(0x7F7F7F7F7F7F7F7Fu) == 0 && tildeMarks(0xFEFEFEFEFEFEFEFEu) == 0);

// Written so that the compiler widens the block with a few vector instructions.
template <class Element>
void widenBlock(const unsigned char* from, Element* to)
{
    std::array<unsigned char, blockBytes> block;
    std::memcpy(block.data(), from, blockBytes);
    std::array<Element, blockBytes> wide;
    for (std::size_t k = 0; k < blockBytes; ++k)
        wide[k] = block[k];
    std::memcpy(to, wide.data(), sizeof wide);
}

bool blockHasTilde(const unsigned char* from)
{
    std::array<std::uint64_t, 2> words;
    std::memcpy(words.data(), from, blockBytes);
    return (tildeMarks(words[0]) | tildeMarks(words[1])) != 0;
}

// Reads `length` bytes into `out`, which holds at least `length` elements, and gives the
// count. An escape is stored as `convert` makes it.
template <class Element, Element (*convert)(code128_token)>
std::size_t readTokens(const char* text, std::size_t length, Element* out)
{
    const auto* const bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t count = 0;
    for (std::size_t i = 0; i < length;) {
        if (length - i >= blockBytes) {
            widenBlock(bytes + i, out + count);
            if (!blockHasTilde(bytes + i)) {
                i += blockBytes;
                count += blockBytes;
                continue;
            }
            while (bytes[i] != '~') {
                ++i;
                ++count;
            }
        }
        else if (bytes[i] != '~') {
            out[count++] = bytes[i++];
            continue;
        }
        const escape e = readEscape(text, i, length);
        out[count++] = convert(e.token);
        i += e.length;
    }
    return count;
}

}  // namespace

void tokenizeCode128(const char* text, std::size_t length, std::vector<code128_token>& tokens)
{
    tokens.clear();
    if (text == nullptr)
        return;
    // At most one token per byte: written in place, then cut to the count.
    tokens.resize(length);
    tokens.resize(readTokens<code128_token, asToken>(text, length, tokens.data()));
}

std::vector<code128_token> tokenizeCode128(const char* text, std::size_t length)
{
    std::vector<code128_token> tokens;
    tokenizeCode128(text, length, tokens);
    return tokens;
}

std::size_t tokenizeCode128Slots(const char* text, std::size_t length, std::vector<code128_slot>& slots)
{
    if (text == nullptr)
        return 0;
    if (slots.size() < length)
        slots.resize(length);
    return readTokens<code128_slot, asSlot>(text, length, slots.data());
}

}  // namespace Kelbrin::Tallowlib
