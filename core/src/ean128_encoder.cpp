#include "tallowlib/ean128_encoder.hpp"

#include "tallowlib/code128_encoder.hpp"
#include "tallowlib/ean128_parser.hpp"

#include <vector>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::string_view fnc1Escape = "~1";

}  // namespace

void ean128Message(const char* input, std::string& message, std::string& humanReadable)
{
    message.clear();
    humanReadable.clear();
    std::vector<ean128_element> elements;
    elements.reserve(8);
    raiseFormatError(parseElementStrings(input, 0, hr_as_typed, elements));

    message.reserve(2 + elements.size() * 24);
    message.append(fnc1Escape);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ean128_element& e = elements[i];
        humanReadable.append(fieldText(e.text));
        message.append(fieldText(e.ai));
        message.append(fieldText(e.data));
        if (i + 1 < elements.size() && e.no_separator == 0)
            message.append(fnc1Escape);
    }
}

void ean128_encoder::checkCharacters(const std::string& input) const
{
    checkElementStrings(input.c_str());
}

int ean128_encoder::encode(const char* input, int /*flag*/, std::string& barcode, std::string& humanReadable) const
{
    barcode.clear();
    std::string message;
    ean128Message(input, message, humanReadable);
    code128Modules(message.data(), message.size(), barcode);
    return 1;
}

int ean128_encoder::encode(const char* input, std::string& barcode, std::string& humanReadable) const
{
    return encode(input, 1, barcode, humanReadable);
}

}  // namespace Kelbrin::Tallowlib
