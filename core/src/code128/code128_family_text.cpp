// Code 128 and GS1-128: the module string of the encoder as one line of width characters.
#include "symbol_text_parts.hpp"

#include "code128/code128_encoder.hpp"
#include "gs1/ean128_encoder.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib::detail {

void encodeCode128Family(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    // The encoders' own path without the module string; the caller's line keeps its storage.
    lines.resize(1);
    std::string& text = lines.front();
    if (s == symbology::code128) {
        code128FontText(input, input == nullptr ? 0 : std::strlen(input), text, humanReadable);
        return;
    }
    thread_local std::string message;  // keeps its storage from call to call
    ean128Message(input, message, humanReadable);
    code128FontText(message.data(), message.size(), text);
}

}  // namespace Kelbrin::Tallowlib::detail
