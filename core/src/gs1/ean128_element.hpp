// One parsed GS1 element string: a fixed-size record of zero-terminated character fields.
#pragma once

#include "gs1/fixed_field.hpp"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace Kelbrin::Tallowlib {

struct ean128_element {
    char ai[10];     // the AI as written between the parentheses, at most 9 characters
    char data[40];   // the normalised data, at most 39 characters
    char text[120];  // human-readable text of the element, at most 119 characters
    std::uint8_t known;         // 1 when the AI matched a dictionary row
    std::uint8_t no_separator;  // 1 when no FNC1 need follow the element
    std::int32_t status;        // status bits found, before the parser's options are applied
};

// One element as the message builders need it, without a record or a text: the AI as
// written, the normalised data and the separator rule.
struct ean128_element_data {
    std::string_view ai;        // into the parsed input
    char data[sizeof(ean128_element::data)];  // the normalised data, at most 39 characters
    std::size_t dataLength;     // characters in `data` (the data proper may be longer: bad_structure)
    std::uint8_t known;
    std::uint8_t no_separator;
    std::int32_t status;

    std::string_view dataText() const { return {data, dataLength}; }
};

// An element as it goes into a message: a separator of at most two characters (it may be
// empty), then the AI and the data, joined in a buffer that holds the longest of them.
struct element_part {
    static constexpr std::size_t maxSeparator = 2;
    char text[maxSeparator + sizeof(ean128_element::ai) + sizeof(ean128_element::data)];
    std::size_t length = 0;
    std::size_t dataStart = 0;  // where the data begins, after the separator and the AI

    std::string_view view() const { return {text, length}; }
    std::string_view data() const { return {text + dataStart, length - dataStart}; }
};

// Starts `part` with `separator`, cut to two characters. An empty separator may have no
// storage at all, so it is copied character by character rather than by memcpy.
inline void putSeparator(element_part& part, std::string_view separator)
{
    part.length = separator.size() < element_part::maxSeparator ? separator.size() : element_part::maxSeparator;
    for (std::size_t i = 0; i < part.length; ++i)
        part.text[i] = separator[i];
}

// Joins `separator` (cut to two characters), the AI and the data of `e`. Whole fields are
// copied, which the buffer holds, and the length counts their text only.
inline element_part joinElement(const ean128_element& e, std::string_view separator)
{
    element_part part;
    putSeparator(part, separator);
    std::memcpy(part.text + part.length, e.ai, sizeof e.ai);
    part.length += fieldText(e.ai).size();
    part.dataStart = part.length;
    std::memcpy(part.text + part.length, e.data, sizeof e.data);
    part.length += fieldText(e.data).size();
    return part;
}

// The same for element data; the AI is cut to what a record holds.
inline element_part joinElement(const ean128_element_data& e, std::string_view separator)
{
    element_part part;
    putSeparator(part, separator);
    const std::size_t aiLength = e.ai.size() < sizeof(ean128_element::ai) ? e.ai.size() : sizeof(ean128_element::ai) - 1;
    for (std::size_t i = 0; i < aiLength; ++i)  // a few digits: no call
        part.text[part.length + i] = e.ai[i];
    part.length += aiLength;
    part.dataStart = part.length;
    // The whole data buffer is copied (it fits), only its data counted.
    std::memcpy(part.text + part.length, e.data, sizeof e.data);
    part.length += e.dataLength < sizeof e.data ? e.dataLength : sizeof e.data - 1;
    return part;
}

}  // namespace Kelbrin::Tallowlib
