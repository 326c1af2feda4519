// SPDX-License-Identifier: Apache-2.0
#include "code128/code128_encoder.hpp"

#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib {

namespace {

// Data characters in order; control characters (0..31, 127) as blanks, function characters
// left out.
void humanReadableText(const code128_message& message, std::string& text)
{
    text.resize(message.size());
    char* w = text.data();
    for (std::size_t i = 0; i < message.size(); ++i) {
        const code128_token t = message[i];
        if (t <= 0xFF)
            *w++ = t < 32 || t == 127 ? ' ' : static_cast<char>(t);
    }
    text.resize(static_cast<std::size_t>(w - text.data()));
}

}  // namespace

void code128FontText(const char* message, std::size_t length, std::string& fontText, std::string* humanReadable)
{
    code128_message tokens;
    tokens.appendText(message, length);
    fontText.clear();
    tokens.appendFontText(fontText);
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
