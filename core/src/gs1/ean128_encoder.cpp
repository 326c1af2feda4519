#include "gs1/ean128_encoder.hpp"

#include "code128/code128_encoder.hpp"
#include "gs1/ean128_parser.hpp"

#include "gs1/fixed_field.hpp"

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::string_view fnc1Escape = "~1";

}  // namespace

void ean128Message(const char* input, std::string& message, std::string* humanReadable)
{
    message.clear();
    if (humanReadable != nullptr)
        humanReadable->clear();
    ean128_parser parser(input, humanReadable != nullptr ? 0 : skip_text, hr_as_typed);
    message.append(fnc1Escape);
    const int status = forEachElementPart(parser, fnc1Escape, humanReadable,
                                          [&message](const element_part& part) { message.append(part.view()); });
    if (status != end_of_input) {
        message.clear();
        if (humanReadable != nullptr)
            humanReadable->clear();
        raiseFormatError(status, parser.diagnostic());
    }
}

void ean128Message(const char* input, std::string& message, std::string& humanReadable)
{
    ean128Message(input, message, &humanReadable);
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
