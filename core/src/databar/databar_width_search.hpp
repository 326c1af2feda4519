// The width routine of every DataBar data character: a combination number turned into the
// widths of one parity's elements. Usable at compile time.
#pragma once

#include "databar/databar_widths.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Kelbrin::Tallowlib::detail {

// Binomial coefficients C(a, b) for every a and b the width routine asks for: a below
// maxParityModules, b below maxParityElements.
inline constexpr auto binomialTable = [] {
    std::array<std::array<std::int32_t, maxParityElements>, maxParityModules> c{};
    for (std::size_t a = 0; a < c.size(); ++a) {
        c[a][0] = 1;
        for (std::size_t b = 1; b <= a && b < c[a].size(); ++b)
            c[a][b] = c[a - 1][b - 1] + (b < a ? c[a - 1][b] : 0);
    }
    return c;
}();

static_assert(binomialTable[17][7] == 19448 && binomialTable[31][7] == 2629575);

// C(a, b), 0 when b < 0 or b > a; a < maxParityModules and b < maxParityElements.
constexpr std::int64_t binomial(int a, int b)
{
    if (b < 0 || b > a)
        return 0;
    return binomialTable[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
}

// The combinations the routine steps over when it widens an element: those with the element
// at its current width, `after` modules and `remaining` elements left after it. `allWide`
// says that this element and every one before it are wider than 1, so that (unless
// `noNarrow`) the rest must hold the narrow element. The combinations lost to the
// widest-element limit are the sum of C(after - w - 1, remaining - 2) over every too wide w,
// which is C(after - maxWidth - 1, remaining - 1) (hockey-stick identity; 0 when no width
// is too wide).
constexpr std::int64_t stepCombinations(int after, int remaining, bool allWide, int maxWidth, bool noNarrow)
{
    std::int64_t count = binomial(after - 1, remaining - 1);
    if (!noNarrow && allWide && after - remaining >= remaining)
        count -= binomial(after - remaining - 1, remaining - 1);
    if (remaining > 1)
        count -= binomial(after - maxWidth - 1, remaining - 1) * remaining;
    else if (after > maxWidth)
        --count;
    return count;
}

// rssWidths without the range checks: 1 <= elements <= maxParityElements and
// modules <= maxParityModules are the caller's. Each element is widened while the value
// covers the combinations stepped over; the last element takes the modules left.
constexpr parity_widths searchWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
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
