#include "databar/databar_widths.hpp"

#include "databar/databar_width_search.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib {

parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    if (elements < 1 || elements > maxParityElements || modules > maxParityModules || maxWidth < 1 ||
        maxWidth > detail::maxElementWidth)
        throw std::invalid_argument("rssWidths: elements, modules or widest element out of range");
    return detail::searchWidths(value, modules, elements, maxWidth, noNarrow);
}

data_character dataCharacterWidths(std::int64_t value, bool outside, std::span<const data_character_group> groups,
                                   int elements)
{
    const data_character_group* group = nullptr;
    std::int64_t lowest = 0;
    for (const auto& g : groups) {
        if (value >= lowest && value <= g.max) {
            group = &g;
            break;
        }
        lowest = std::int64_t{g.max} + 1;
    }
    if (group == nullptr)
        throw std::out_of_range("data character value outside its groups");

    const auto r = static_cast<std::int32_t>(value - group->min);  // within the group's range
    const std::int32_t vOdd = outside ? r / group->n_even : r % group->n_odd;
    const std::int32_t vEven = outside ? r % group->n_even : r / group->n_odd;
    const parity_widths odd = rssWidths(vOdd, group->odd_modules, elements, group->widest_odd, outside);
    const parity_widths even = rssWidths(vEven, group->even_modules, elements, group->widest_even, !outside);

    data_character widths{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(elements); ++k) {
        widths[2 * k] = static_cast<char>('0' + odd[k]);
        widths[2 * k + 1] = static_cast<char>('0' + even[k]);
    }
    return widths;
}

}  // namespace Kelbrin::Tallowlib
