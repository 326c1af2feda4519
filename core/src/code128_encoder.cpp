#include "tallowlib/code128_encoder.hpp"

#include "tallowlib/code128_patterns.hpp"
#include "tallowlib/code128_values.hpp"

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

// Data characters in order; control characters (0..31, 127) as blanks, function characters left out.
void humanReadableText(const std::vector<code128_token>& tokens, std::string& text)
{
    text.clear();
    text.reserve(tokens.size());
    for (const code128_token t : tokens) {
        if (t > 0xFF)
            continue;
        text.push_back(t < 32 || t == 127 ? ' ' : static_cast<char>(t));
    }
}

}  // namespace

void code128FontText(const char* message, std::size_t length, std::string& fontText, std::string* humanReadable)
{
    // Scratch that keeps its storage from call to call.
    thread_local std::vector<code128_token> tokens;
    tokenizeCode128(message, length, tokens);
    encodeCode128FontText(tokens, fontText);
    if (humanReadable != nullptr)
        humanReadableText(tokens, *humanReadable);
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
    humanReadableText(tokens, humanReadable);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
