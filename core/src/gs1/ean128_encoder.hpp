// SPDX-License-Identifier: Apache-2.0
// GS1-128: Code 128 with FNC1 first, carrying GS1 element strings "(AI)data(AI)data...".
#pragma once

#include "barcode_encoder.hpp"
#include "gs1/ean128_parser.hpp"

#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

class ean128_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return ownCheck; }
    // The element-string check: throws invalid_ean128_format_error (codes 10 to 14) with a
    // diagnostic.
    void checkCharacters(const std::string& input) const override;
    // Barcode text: the module string ("b"/"s") of the symbol; human-readable text: the
    // elements' texts joined. `flag` is accepted for interface compatibility and has no effect.
    // Throws invalid_ean128_format_error before anything is encoded when an element is faulty.
    int encode(const char* input, int flag, std::string& barcode, std::string& humanReadable) const;
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;
};

// The Code 128 message of the element strings, handed to `take` piece by piece (string
// views): FNC1 ("~1") first, then every element's AI and normalised data, with FNC1 after
// each element but the last that needs a separator. With `humanReadable`, the elements'
// texts replace its contents. Throws invalid_ean128_format_error like ean128_encoder::encode,
// leaving `*humanReadable` empty, once every piece before the faulty element is handed over.
template <typename Take>
void forEachEan128MessagePiece(const char* input, std::string* humanReadable, Take take)
{
    constexpr std::string_view fnc1Escape = "~1";
    if (humanReadable != nullptr)
        humanReadable->clear();
    ean128_parser parser(input, humanReadable != nullptr ? 0 : skip_text, hr_as_typed);
    take(fnc1Escape);
    const int status = forEachElementPart(parser, fnc1Escape, humanReadable,
                                          [&take](const element_part& part) { take(part.view()); });
    if (status != end_of_input) {
        if (humanReadable != nullptr)
            humanReadable->clear();
        raiseFormatError(status, parser.diagnostic());
    }
}

// The Code 128 message of the element strings: FNC1 ("~1") first, then every element's AI
// and normalised data, with FNC1 after each element but the last that needs a separator.
// Throws invalid_ean128_format_error like ean128_encoder::encode.
// Both texts are left empty when it throws.
void ean128Message(const char* input, std::string& message, std::string& humanReadable);
// The same; no human-readable text is built when `humanReadable` is null.
void ean128Message(const char* input, std::string& message, std::string* humanReadable);

}  // namespace Kelbrin::Tallowlib
