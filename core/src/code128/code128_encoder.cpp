#include "code128/code128_encoder.hpp"

#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <cstring>
#include <vector>

namespace Kelbrin::Tallowlib {

namespace {

void modulesOfTokens(const std::vector<code128_token>& tokens, std::string& modules)
{
    std::vector<std::uint8_t> values;
    encodeCode128Values(tokens, values);
    modules.clear();
    appendCode128Modules(values, modules);
}

// Data characters in order; control characters (0..31, 127) as blanks, function characters
// (tokens above 255, slots 256..259) left out.
template <class Token>
void humanReadableText(const Token* tokens, std::size_t count, std::string& text)
{
    text.clear();
    text.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Token t = tokens[i];
        if (t > 0xFF)
            continue;
        text.push_back(t < 32 || t == 127 ? ' ' : static_cast<char>(t));
    }
}

}  // namespace

void code128FontText(const char* message, std::size_t length, std::string& fontText, std::string* humanReadable)
{
    // Scratch that keeps its storage (and size) from call to call.
    thread_local std::vector<code128_slot> slots;
    const std::size_t count = tokenizeCode128Slots(message, length, slots);
    encodeCode128FontText(slots.data(), count, fontText);
    if (humanReadable != nullptr)
        humanReadableText(slots.data(), count, *humanReadable);
}

void code128Modules(const char* message, std::size_t length, std::string& modules)
{
    std::vector<code128_token> tokens;
    tokenizeCode128(message, length, tokens);
    modulesOfTokens(tokens, modules);
}

int code128_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    std::vector<code128_token> tokens;
    tokenizeCode128(input, input == nullptr ? 0 : std::strlen(input), tokens);
    modulesOfTokens(tokens, barcode);
    humanReadableText(tokens.data(), tokens.size(), humanReadable);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
