// SPDX-License-Identifier: Apache-2.0
#include "decimal_value.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Kelbrin::Barwright {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int atoiValue(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    constexpr std::int64_t limit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    if (negative)
        return static_cast<int>(-magnitude);
    return static_cast<int>(std::min<std::int64_t>(magnitude, limit - 1));
}

}  // namespace Kelbrin::Barwright
