// The width search behind rssWidths, usable at compile time so that small value groups
// can be tabulated once.
#pragma once

#include "databar/databar_widths.hpp"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>

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

// The combinations the width search steps over when it widens an element: those with the
// element at its current width, `after` modules and `remaining` elements left after it.
// `allWide` says that this element and every one before it are wider than 1, so that
// (unless `noNarrow`) the rest must hold the narrow element. The combinations lost to the
// widest-element limit are the sum of C(after - mxw - 1, remaining - 2) over every too wide
// mxw, which is C(after - maxWidth - 1, remaining - 1) (hockey-stick identity; 0 when no
// width is too wide).
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

// rssWidths without the range check: 1 <= elements <= maxParityElements is the caller's.
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
            subVal = stepCombinations(n - elmWidth, remaining, narrowMask == 0, maxWidth, noNarrow);
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

// The width search of one parity (its modules, elements, widest element and narrow rule)
// with every count it steps over worked out beforehand, for parities with too many width
// sets to tabulate. Gives what searchWidths gives for every value.
class stepped_width_search {
public:
    static constexpr int maxModules = 24;

    constexpr stepped_width_search(int modules, int elements, int maxWidth, bool noNarrow)
        : modules_(modules), elements_(elements)
    {
        if (modules < 1 || modules > maxModules || elements < 1 || elements > maxParityElements)
            throw std::invalid_argument("stepped_width_search: parity too large");
        for (int allWide = 0; allWide < 2; ++allWide)
            for (int remaining = 1; remaining < elements; ++remaining)
                for (int after = 0; after < modules; ++after) {
                    const std::int64_t count = stepCombinations(after, remaining, allWide != 0, maxWidth, noNarrow);
                    if (count < std::numeric_limits<std::int32_t>::min() || count > std::numeric_limits<std::int32_t>::max())
                        throw std::overflow_error("stepped_width_search: count past 32 bits");
                    steps_[static_cast<std::size_t>(allWide)][static_cast<std::size_t>(remaining)]
                          [static_cast<std::size_t>(after)] = static_cast<std::int32_t>(count);
                }
    }

    // Each element is widened while the value covers the combinations stepped over; the
    // last element takes the modules left.
    constexpr parity_widths widths(std::int64_t value) const
    {
        parity_widths widths{};
        int n = modules_;
        bool allWide = true;  // every element so far wider than 1
        for (int bar = 0; bar < elements_ - 1; ++bar) {
            const int remaining = elements_ - bar - 1;
            const int widest = n - remaining;  // every element after this one needs a module
            const auto& steps = steps_[0][static_cast<std::size_t>(remaining)];
            const auto& wideSteps = steps_[1][static_cast<std::size_t>(remaining)];
            int width = 1;
            for (; width < widest; ++width) {
                const auto after = static_cast<std::size_t>(n - width);
                const std::int32_t count = allWide && width > 1 ? wideSteps[after] : steps[after];
                if (value < count)
                    break;
                value -= count;
            }
            allWide = allWide && width > 1;
            n -= width;
            widths[static_cast<std::size_t>(bar)] = width;
        }
        widths[static_cast<std::size_t>(elements_ - 1)] = n;
        return widths;
    }

private:
    int modules_;
    int elements_;
    // [allWide][remaining][modules after the element]
    std::array<std::array<std::array<std::int32_t, maxModules>, maxParityElements>, 2> steps_{};
};

}  // namespace Kelbrin::Tallowlib::detail
