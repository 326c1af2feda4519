// SPDX-License-Identifier: Apache-2.0
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

// Joins `separator` (cut to two characters; an empty one may have no storage), the AI and
// the data of `e`. Whole fields are copied, which the buffer holds, and the length counts
// their text only.
inline element_part joinElement(const ean128_element& e, std::string_view separator)
{
    element_part part;
    part.length = separator.size() < element_part::maxSeparator ? separator.size() : element_part::maxSeparator;
    for (std::size_t i = 0; i < part.length; ++i)
        part.text[i] = separator[i];
    std::memcpy(part.text + part.length, e.ai, sizeof e.ai);
    part.length += fieldText(e.ai).size();
    part.dataStart = part.length;
    std::memcpy(part.text + part.length, e.data, sizeof e.data);
    part.length += fieldText(e.data).size();
    return part;
}

}  // namespace Kelbrin::Tallowlib
