// Code 128 and GS1-128: the module string of the encoder as one line of width characters.
#include "symbol_text_parts.hpp"

#include "tallowlib/code128_encoder.hpp"
#include "tallowlib/code128_patterns.hpp"
#include "tallowlib/ean128_encoder.hpp"

namespace Kelbrin::Tallowlib::detail {

void encodeCode128Family(symbology s, const char* input, std::vector<std::string>& lines, std::string* humanReadable)
{
    lines.clear();
    std::string modules;
    std::string human;
    if (s == symbology::code128)
        code128_encoder().encode(input, modules, human);
    else
        ean128_encoder().encode(input, 1, modules, human);
    lines.push_back(modulesToFontText(modules));
    if (humanReadable != nullptr)
        *humanReadable = std::move(human);
}

}  // namespace Kelbrin::Tallowlib::detail
