// The width routine of every DataBar data character: a combination number turned into the
// widths of one parity's elements. Usable at compile time.
#pragma once

#include "databar/databar_widths.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

// Binomial coefficients C(a, b) for every a and b the width routine asks for:
// -binomialOffset <= a < maxParityModules and 0 <= b < maxParityElements, 0 where b > a
// (a below 0 included), so that the routine looks every count up without a test. Row
// a + binomialOffset holds C(a, .).
inline constexpr int binomialOffset = maxParityModules;

inline constexpr auto binomialTable = [] {
    std::array<std::array<std::int32_t, maxParityElements>, binomialOffset + maxParityModules> c{};
    for (std::size_t a = binomialOffset; a < c.size(); ++a) {
        c[a][0] = 1;
        for (std::size_t b = 1; b < c[a].size(); ++b)
            c[a][b] = c[a - 1][b - 1] + c[a - 1][b];
    }
    return c;
}();

constexpr std::int64_t binomial(int a, int b)
{
    return binomialTable[static_cast<std::size_t>(a + binomialOffset)][static_cast<std::size_t>(b)];
}

static_assert(binomial(17, 7) == 19448 && binomial(31, 7) == 2629575 && binomial(3, 4) == 0 && binomial(-1, 0) == 0);

// The combinations the routine steps over when it widens an element: those with the element
// at its current width, `after` modules and `remaining` elements left after it. `allWide`
// says that this element and every one before it are wider than 1, so that (unless
// `noNarrow`) the rest must hold the narrow element: the C(after - remaining - 1,
// remaining - 1) combinations without one are left out. So are those with an element wider
// than maxWidth: for every too wide width w and each of the `remaining` elements,
// C(after - w - 1, remaining - 2) of them, in all C(after - maxWidth - 1, remaining - 1)
// per element (hockey-stick identity; 0 when no width is too wide).
constexpr std::int64_t stepCombinations(int after, int remaining, bool allWide, int maxWidth, bool noNarrow)
{
    const int b = remaining - 1;
    std::int64_t count = binomial(after - 1, b) - binomial(after - maxWidth - 1, b) * remaining;
    if (!noNarrow && allWide)
        count -= binomial(after - remaining - 1, b);
    return count;
}

// rssWidths without the range checks: 1 <= elements <= maxParityElements,
// modules <= maxParityModules and maxWidth >= 1 are the caller's. Each element is widened
// while the value covers the combinations stepped over; the last element takes the modules
// left.
constexpr parity_widths searchWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    maxWidth = std::min(maxWidth, modules);  // no wider limit matters
    parity_widths widths{};
    int n = modules;
    bool allWide = true;  // every element so far wider than 1
    for (int bar = 0; bar < elements - 1; ++bar) {
        const int remaining = elements - bar - 1;  // elements after this one
        const int widest = n - remaining;          // every element after this one needs a module
        int width = 1;
        for (; width < widest; ++width) {
            const std::int64_t count = stepCombinations(n - width, remaining, allWide && width > 1, maxWidth, noNarrow);
            if (value < count)
                break;
            value -= count;
        }
        allWide = allWide && width > 1;
        n -= width;
        widths[static_cast<std::size_t>(bar)] = width;
    }
    widths[static_cast<std::size_t>(elements - 1)] = n;
    return widths;
}

}  // namespace Kelbrin::Tallowlib::detail
