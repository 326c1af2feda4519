// SPDX-License-Identifier: Apache-2.0
// Zero-terminated character fields of a fixed size: writing and reading them within bounds.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace Kelbrin::Tallowlib {

// Copies at most N-1 characters of `source` into `field` and zero-fills the rest, so the
// field is always zero-terminated and nothing is written past it.
template <std::size_t N>
void copyToField(char (&field)[N], std::string_view source) noexcept
{
    static_assert(N > 0);
    const std::size_t n = source.size() < N - 1 ? source.size() : N - 1;
    std::memset(field, 0, N);  // whole: a few stores of known size
    if (n > 0)
        std::memcpy(field, source.data(), n);
}

// The text of a zero-terminated field, never reading past its end.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) noexcept
{
    const void* end = std::memchr(field, '\0', N);
    return {field, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N};
}

}  // namespace Kelbrin::Tallowlib
