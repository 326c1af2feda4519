// SPDX-License-Identifier: Apache-2.0
// Exceptions of the encoder core. Every failure inside the core is one of these
// (or a standard exception such as std::bad_alloc); entry points catch them all.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace Kelbrin::Tallowlib {

// Base of the family: a numeric code and a message. Never thrown itself.
class barlib_error : public std::exception {
public:
    barlib_error(std::string message_, std::int32_t code_, std::string diagnostic_ = {})
        : code(code_), message(std::move(message_)), diagnostic(std::move(diagnostic_))
    {
    }
    const char* what() const noexcept override { return message.c_str(); }

    std::int32_t code;
    std::string message;     // the error table's text for the code
    std::string diagnostic;  // what is wrong, where and what is expected (may be empty)
};

// Code 1: a character the symbology cannot encode.
class invalid_character_error : public barlib_error {
public:
    using barlib_error::barlib_error;
};

// Codes 10 to 14: a malformed GS1 element string (or a DataBar Expanded compaction failure).
class invalid_ean128_format_error : public barlib_error {
public:
    using barlib_error::barlib_error;
};

namespace error_text {
inline constexpr const char* invalidCharacterFormat =
    "Invalid character found. The character %c can not be encoded by the current symbology.";
inline constexpr const char* invalidCharacterInData =
    "A character that the current symbology can not encode was found in the data to be encoded.";
inline constexpr const char* aiNotNumeric = "The AI portion of an EAN-128 structure must be numeric.";
inline constexpr const char* dataNotAlphanumeric = "The data portion of the EAN-128 data must be alpha-numeric.";
inline constexpr const char* badStructure =
    "Invalid UCC/EAN-128 structure. Check whether the AI and field ID are enclosed with parenthesis. ";
inline constexpr const char* dataNotNumeric =
    "Based on the AI, the data portion must be numeric. However, this is not the case in the message encoded.";
inline constexpr const char* badDataLength = "The length of the data portion of the EAN-128 is incorrect.";
}  // namespace error_text

}  // namespace Kelbrin::Tallowlib
