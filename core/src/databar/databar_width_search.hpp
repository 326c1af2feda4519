// SPDX-License-Identifier: Apache-2.0
// The width routine of every DataBar data character: a combination number turned into the
// widths of one parity's elements. Usable at compile time.
#pragma once

#include "databar/databar_widths.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

// Binomial coefficients C(a, b) for every a and b the step counts below ask for:
// -binomialOffset <= a < maxParityModules and 0 <= b < maxParityElements, 0 where b > a
// (a below 0 included). Row a + binomialOffset holds C(a, .).
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

// Every count stepCombinations gives for elements up to maxElementWidth modules wide:
// stepTable[maxWidth - 1][noNarrow][allWide][remaining - 1][after], so that the routine
// steps over combinations with one look-up each.
inline constexpr int maxElementWidth = 9;

using step_row = std::array<std::int32_t, maxParityModules>;
using step_rows = std::array<step_row, maxParityElements - 1>;

inline constexpr auto stepTable = [] {
    std::array<std::array<std::array<step_rows, 2>, 2>, maxElementWidth> t{};
    for (int maxWidth = 1; maxWidth <= maxElementWidth; ++maxWidth)
        for (int noNarrow = 0; noNarrow < 2; ++noNarrow)
            for (int allWide = 0; allWide < 2; ++allWide)
                for (int remaining = 1; remaining < maxParityElements; ++remaining)
                    for (int after = 0; after < maxParityModules; ++after)
                        t[static_cast<std::size_t>(maxWidth - 1)][static_cast<std::size_t>(noNarrow)]
                         [static_cast<std::size_t>(allWide)][static_cast<std::size_t>(remaining - 1)]
                         [static_cast<std::size_t>(after)] = static_cast<std::int32_t>(
                             stepCombinations(after, remaining, allWide != 0, maxWidth, noNarrow != 0));
    return t;
}();

// rssWidths without the range checks: 1 <= elements <= maxParityElements,
// modules <= maxParityModules and 1 <= maxWidth <= maxElementWidth are the caller's. Each
// element is widened while the value covers the combinations stepped over; the last element
// takes the modules left.
constexpr parity_widths searchWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    const auto& rows = stepTable[static_cast<std::size_t>(maxWidth - 1)][noNarrow ? 1 : 0];
    parity_widths widths{};
    int n = modules;
    bool allWide = true;  // every element so far wider than 1
    for (int bar = 0; bar < elements - 1; ++bar) {
        const auto remaining = static_cast<std::size_t>(elements - bar - 1);  // elements after this one
        const step_row& narrow = rows[0][remaining - 1];
        const step_row& wide = rows[allWide ? 1 : 0][remaining - 1];
        const int widest = n - static_cast<int>(remaining);  // every element after this one needs a module
        int width = 1;
        for (; width < widest; ++width) {
            const std::int32_t count = (width > 1 ? wide : narrow)[static_cast<std::size_t>(n - width)];
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
