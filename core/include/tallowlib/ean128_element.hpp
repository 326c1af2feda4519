// One parsed GS1 element string: a fixed-size record of zero-terminated character fields.
#pragma once

#include "tallowlib/fixed_field.hpp"

#include <cstdint>

namespace Kelbrin::Tallowlib {

struct ean128_element {
    char ai[10];     // the AI as written between the parentheses, at most 9 characters
    char data[40];   // the normalised data, at most 39 characters
    char text[120];  // human-readable text of the element, at most 119 characters
    std::uint8_t known;         // 1 when the AI matched a dictionary row
    std::uint8_t no_separator;  // 1 when no FNC1 need follow the element
    std::int32_t status;        // status bits found, before the parser's options are applied
};

}  // namespace Kelbrin::Tallowlib
