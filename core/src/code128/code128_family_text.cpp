// Code 128 and GS1-128 as one line of width characters.
#include "symbol_text_parts.hpp"

#include "code128/code128_encoder.hpp"
#include "gs1/ean128_encoder.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib::detail {

void encodeCode128Family(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    lines.resize(1);
    std::string& text = lines.front();  // the caller's line keeps its storage
    if (s == symbology::code128) {
        code128FontText(input, input == nullptr ? 0 : std::strlen(input), text, humanReadable);
        return;
    }
    std::string message;
    ean128Message(input, message, humanReadable);
    code128FontText(message.data(), message.size(), text);
}

}  // namespace Kelbrin::Tallowlib::detail
