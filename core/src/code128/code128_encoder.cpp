#include "code128/code128_encoder.hpp"

#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <cstring>
#include <vector>

namespace Kelbrin::Tallowlib {

namespace {

// Data characters in order; control characters (0..31, 127) as blanks, function characters
// left out.
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
    const std::vector<code128_token> tokens = tokenizeCode128(message, length);
    fontText.clear();
    appendCode128FontText(encodeCode128Values(tokens), fontText);
    if (humanReadable != nullptr)
        humanReadableText(tokens, *humanReadable);
}

void code128Modules(const char* message, std::size_t length, std::string& modules)
{
    std::string fontText;
    code128FontText(message, length, fontText);
    modules.clear();
    appendModulesOfFontText(fontText, modules);
}

int code128_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    std::string fontText;
    code128FontText(input, input == nullptr ? 0 : std::strlen(input), fontText, &humanReadable);
    barcode.clear();
    appendModulesOfFontText(fontText, barcode);
    return 1;
}

}  // namespace Kelbrin::Tallowlib
