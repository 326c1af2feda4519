// SPDX-License-Identifier: Apache-2.0
// The GS1 modulo-10 check digit: weights 3, 1, 3, ... from the last character backwards.
#pragma once

#include <string_view>

namespace Kelbrin::Tallowlib {

// Check digit as a number. Every character counts as (code - 48), digits or not; the
// result is 0 for a multiple of 10, else 10 - (sum % 10) with the truncating remainder.
int gs1Mod10(std::string_view text);

// Check digit of a digit text as a character '0'..'9'.
char gs1CheckDigit(std::string_view digits);

}  // namespace Kelbrin::Tallowlib
