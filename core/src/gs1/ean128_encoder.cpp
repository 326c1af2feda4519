// SPDX-License-Identifier: Apache-2.0
#include "gs1/ean128_encoder.hpp"

#include "code128/code128_encoder.hpp"

namespace Kelbrin::Tallowlib {

void ean128Message(const char* input, std::string& message, std::string* humanReadable)
{
    message.clear();
    try {
        forEachEan128MessagePiece(input, humanReadable, [&message](std::string_view piece) { message.append(piece); });
    }
    catch (...) {
        message.clear();
        throw;
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
