// The width search behind rssWidths, usable at compile time so that small value groups
// can be tabulated once.
#pragma once

#include "tallowlib/databar_widths.hpp"

#include <array>
#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

// Pascal's triangle for every a the symbols need (widths are worked out over at most a few
// dozen modules), so that the width search looks its counts up instead of computing them.
inline constexpr int tabulatedRows = 48;

inline constexpr auto pascalTriangle = [] {
    std::array<std::array<std::int64_t, tabulatedRows>, tabulatedRows> c{};
    for (std::size_t a = 0; a < c.size(); ++a) {
        c[a][0] = 1;
        for (std::size_t b = 1; b <= a; ++b)
            c[a][b] = c[a - 1][b - 1] + (b < a ? c[a - 1][b] : 0);
    }
    return c;
}();

static_assert(pascalTriangle[17][8] == 24310 && pascalTriangle[47][23] == 16123801841550);

// C(a, b) by products and divisions, for any size.
constexpr std::int64_t computedCombinations(int a, int b)
{
    const int maxDenominator = b > a - b ? b : a - b;
    const int minDenominator = b < a - b ? b : a - b;
    std::int64_t value = 1;
    int divisor = 1;
    for (int factor = a; factor > maxDenominator; --factor) {
        value *= factor;
        if (divisor <= minDenominator)
            value /= divisor++;
    }
    for (; divisor <= minDenominator; ++divisor)
        value /= divisor;
    return value;
}

constexpr std::int64_t binomial(int a, int b)
{
    if (b < 0 || b > a)
        return 0;
    if (a < tabulatedRows)
        return pascalTriangle[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    return computedCombinations(a, b);
}

// rssWidths without the range check: 1 <= elements <= maxParityElements is the caller's.
// The combinations lost to the widest-element limit for an element of elmWidth are the sum
// of C(n - elmWidth - mxw - 1, remaining - 2) over every too wide mxw, which is
// C(n - elmWidth - maxWidth - 1, remaining - 1) (hockey-stick identity; 0 when no width is
// too wide).
constexpr parity_widths searchWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    parity_widths widths{};
    int n = modules;
    unsigned narrowMask = 0;
    for (int bar = 0; bar < elements - 1; ++bar) {
        const int remaining = elements - bar - 1;  // elements after this one
        narrowMask |= 1u << bar;
        int elmWidth = 1;
        std::int64_t subVal = 0;
        for (;; ++elmWidth) {
            subVal = binomial(n - elmWidth - 1, remaining - 1);
            if (!noNarrow && narrowMask == 0 && n - elmWidth - remaining >= remaining)
                subVal -= binomial(n - elmWidth - remaining - 1, remaining - 1);
            if (remaining > 1)
                subVal -= binomial(n - elmWidth - maxWidth - 1, remaining - 1) * remaining;
            else if (n - elmWidth > maxWidth)
                --subVal;
            value -= subVal;
            // Every element after this one needs a module: no wider choice remains.
            if (value < 0 || elmWidth >= n - remaining)
                break;
            narrowMask &= ~(1u << bar);
        }
        value += subVal;
        n -= elmWidth;
        widths[static_cast<std::size_t>(bar)] = elmWidth;
    }
    widths[static_cast<std::size_t>(elements - 1)] = n;
    return widths;
}

}  // namespace Kelbrin::Tallowlib::detail
