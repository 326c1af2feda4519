// SPDX-License-Identifier: Apache-2.0
#include "tallowlib/gs1_check_digit.hpp"

#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib {

namespace {

// Every character counts, digit or not, as its code less that of "0".
std::int64_t code(char c)
{
    return static_cast<unsigned char>(c);
}

}  // namespace

int gs1Mod10(std::string_view text)
{
    // Pairs from the end: the last character of each pair weighs 3, the one before it 1.
    // The codes are summed as they are and the "0"s taken off once at the end.
    std::int64_t sum = 0;
    std::int64_t weights = 0;
    std::size_t i = text.size();
    for (; i >= 2; i -= 2) {
        sum += 3 * code(text[i - 1]) + code(text[i - 2]);
        weights += 4;
    }
    if (i == 1) {
        sum += 3 * code(text[0]);
        weights += 3;
    }
    sum -= '0' * weights;
    const auto rest = static_cast<int>(sum % 10);
    return rest == 0 ? 0 : 10 - rest;
}

char gs1CheckDigit(std::string_view digits)
{
    return static_cast<char>('0' + gs1Mod10(digits));
}

}  // namespace Kelbrin::Tallowlib
