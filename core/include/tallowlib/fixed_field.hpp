// Zero-terminated character fields of a fixed size: writing and reading them within bounds.
#pragma once

#include <cstddef>
#include <string_view>

namespace Kelbrin::Tallowlib {

// Copies at most N-1 characters of `source` into `field` and zero-fills the rest, so the
// field is always zero-terminated and nothing is written past it.
template <std::size_t N>
void copyToField(char (&field)[N], std::string_view source) noexcept
{
    static_assert(N > 0);
    const std::size_t n = source.size() < N - 1 ? source.size() : N - 1;
    std::size_t i = 0;
    for (; i < n; ++i)
        field[i] = source[i];
    for (; i < N; ++i)
        field[i] = '\0';
}

// The text of a zero-terminated field, never reading past its end.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) noexcept
{
    std::size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return {field, n};
}

}  // namespace Kelbrin::Tallowlib
