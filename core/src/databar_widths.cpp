#include "tallowlib/databar_widths.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

// C(a, b) by products and divisions, for any size.
std::int64_t computedCombinations(int a, int b)
{
    const int maxDenominator = std::max(b, a - b);
    const int minDenominator = std::min(b, a - b);
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

// Pascal's triangle for every a the symbols need (widths are worked out over at most a few
// dozen modules), so that the width search looks its counts up instead of computing them.
constexpr int tabulatedRows = 48;

constexpr auto pascalTriangle = [] {
    std::array<std::array<std::int64_t, tabulatedRows>, tabulatedRows> c{};
    for (std::size_t a = 0; a < c.size(); ++a) {
        c[a][0] = 1;
        for (std::size_t b = 1; b <= a; ++b)
            c[a][b] = c[a - 1][b - 1] + (b < a ? c[a - 1][b] : 0);
    }
    return c;
}();

static_assert(pascalTriangle[17][8] == 24310 && pascalTriangle[47][23] == 16123801841550);

}  // namespace

std::int64_t combins(int a, int b)
{
    if (b < 0 || b > a)
        return 0;
    if (a < tabulatedRows)
        return pascalTriangle[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)];
    return computedCombinations(a, b);
}

namespace {

// How many combinations the remaining elements lose to the widest-element limit: the sum
// of C(n - elmWidth - mxw - 1, remaining - 2) over every too wide mxw from the widest
// possible, n - elmWidth - (remaining - 1), down to maxWidth + 1. Those terms run over
// C(k, remaining - 2) for k = remaining - 2 .. n - elmWidth - maxWidth - 2, and such a sum
// is C(n - elmWidth - maxWidth - 1, remaining - 1) (hockey-stick identity; 0 when no width
// is too wide). Needs remaining >= 2.
std::int64_t tooWideCombinations(int n, int elmWidth, int remaining, int maxWidth)
{
    return combins(n - elmWidth - maxWidth - 1, remaining - 1);
}

}  // namespace

parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    if (elements < 1 || elements > maxParityElements)
        throw std::invalid_argument("rssWidths: elements out of range");
    parity_widths widths{};
    int n = modules;
    unsigned narrowMask = 0;
    for (int bar = 0; bar < elements - 1; ++bar) {
        const int remaining = elements - bar - 1;  // elements after this one
        narrowMask |= 1u << bar;
        int elmWidth = 1;
        std::int64_t subVal = 0;
        for (;; ++elmWidth) {
            subVal = combins(n - elmWidth - 1, remaining - 1);
            if (!noNarrow && narrowMask == 0 && n - elmWidth - remaining >= remaining)
                subVal -= combins(n - elmWidth - remaining - 1, remaining - 1);
            if (remaining > 1)
                subVal -= tooWideCombinations(n, elmWidth, remaining, maxWidth) * remaining;
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

std::string dataCharacterWidths(std::int64_t value, bool outside, std::span<const data_character_group> groups,
                                int elements)
{
    const data_character_group* group = nullptr;
    std::int64_t lowest = 0;
    for (const auto& g : groups) {
        if (value >= lowest && value <= g.max) {
            group = &g;
            break;
        }
        lowest = static_cast<std::int64_t>(g.max) + 1;
    }
    if (group == nullptr)
        throw std::out_of_range("data character value outside its groups");

    const std::int64_t r = value - group->min;
    const std::int64_t vOdd = outside ? r / group->n_even : r % group->n_odd;
    const std::int64_t vEven = outside ? r % group->n_even : r / group->n_odd;
    const parity_widths odd = rssWidths(vOdd, group->odd_modules, elements, group->widest_odd, outside);
    const parity_widths even = rssWidths(vEven, group->even_modules, elements, group->widest_even, !outside);

    std::string text(static_cast<std::size_t>(2 * elements), '0');
    for (int k = 0; k < elements; ++k) {
        const auto at = static_cast<std::size_t>(k);
        text[2 * at] = static_cast<char>('0' + odd[at]);
        text[2 * at + 1] = static_cast<char>('0' + even[at]);
    }
    return text;
}

}  // namespace Kelbrin::Tallowlib
