#include "databar/databar_widths.hpp"

#include "databar/databar_width_search.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

std::int64_t combins(int a, int b) { return detail::binomial(a, b); }

parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    if (elements < 1 || elements > maxParityElements)
        throw std::invalid_argument("rssWidths: elements out of range");
    return detail::searchWidths(value, modules, elements, maxWidth, noNarrow);
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
