// SPDX-License-Identifier: Apache-2.0
#include "databar/databar_widths.hpp"

#include "databar/databar_width_search.hpp"

#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

bool parityInRange(int modules, int elements, int maxWidth)
{
    return elements >= 1 && elements <= maxParityElements && modules <= maxParityModules && maxWidth >= 1 &&
           maxWidth <= detail::maxElementWidth;
}

}  // namespace

parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow)
{
    if (!parityInRange(modules, elements, maxWidth))
        throw std::invalid_argument("rssWidths: elements, modules or widest element out of range");
    return detail::searchWidths(value, modules, elements, maxWidth, noNarrow);
}

character_combinations splitDataCharacter(std::int64_t value, bool outside,
                                          std::span<const data_character_group> groups)
{
    std::int64_t lowest = 0;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const data_character_group& group = groups[g];
        if (value >= lowest && value <= group.max) {
            const auto r = static_cast<std::int32_t>(value - group.min);  // within the group's range
            if (outside)
                return {g, r / group.n_even, r % group.n_even};
            return {g, r % group.n_odd, r / group.n_odd};
        }
        lowest = std::int64_t{group.max} + 1;
    }
    throw std::out_of_range("data character value outside its groups");
}

data_character dataCharacterWidths(std::int64_t value, bool outside, std::span<const data_character_group> groups,
                                   int elements)
{
    const character_combinations c = splitDataCharacter(value, outside, groups);
    const data_character_group& group = groups[c.group];
    if (!parityInRange(group.odd_modules, elements, group.widest_odd) ||
        !parityInRange(group.even_modules, elements, group.widest_even))
        throw std::invalid_argument("dataCharacterWidths: elements, modules or widest element out of range");
    const parity_widths odd = detail::searchWidths(c.odd, group.odd_modules, elements, group.widest_odd, outside);
    const parity_widths even = detail::searchWidths(c.even, group.even_modules, elements, group.widest_even, !outside);

    data_character widths{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(elements); ++k) {
        widths[2 * k] = static_cast<char>('0' + odd[k]);
        widths[2 * k + 1] = static_cast<char>('0' + even[k]);
    }
    return widths;
}

}  // namespace Kelbrin::Tallowlib
