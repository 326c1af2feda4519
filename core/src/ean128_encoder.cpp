#include "tallowlib/ean128_encoder.hpp"

#include "tallowlib/code128_encoder.hpp"
#include "tallowlib/ean128_parser.hpp"

#include "tallowlib/fixed_field.hpp"

#include <type_traits>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::string_view fnc1Escape = "~1";

// Appends every element's part to the message; the separator owed by an element is written
// when another follows. Records also carry their texts into `humanReadable`; element data
// has none. Returns the parser's last status.
template <typename Element>
int appendElements(ean128_parser& parser, std::string& message, std::string* humanReadable)
{
    Element e;
    bool separatorOwed = false;
    int status;
    while ((status = parser.nextElement(e)) == 0) {
        message.append(joinElement(e, separatorOwed ? fnc1Escape : std::string_view()).view());
        separatorOwed = e.no_separator == 0;
        if constexpr (std::is_same_v<Element, ean128_element>)
            humanReadable->append(fieldText(e.text));
    }
    return status;
}

}  // namespace

void ean128Message(const char* input, std::string& message, std::string* humanReadable)
{
    message.clear();
    if (humanReadable != nullptr)
        humanReadable->clear();
    ean128_parser parser(input, humanReadable != nullptr ? 0 : skip_text, hr_as_typed);
    message.append(fnc1Escape);
    // Without a text the elements need no records.
    const int status = humanReadable != nullptr ? appendElements<ean128_element>(parser, message, humanReadable)
                                                : appendElements<ean128_element_data>(parser, message, nullptr);
    if (status != end_of_input) {
        message.clear();
        if (humanReadable != nullptr)
            humanReadable->clear();
        raiseFormatError(status);
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
