// SPDX-License-Identifier: Apache-2.0
// The data-character machinery shared by DataBar-14 and DataBar Limited: value groups,
// the width routine and the element widths of one data character.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace Kelbrin::Tallowlib {

// One value group of a data character: the range it serves and how its odd and even
// elements are built.
struct data_character_group {
    std::int32_t min;
    std::int32_t max;
    int odd_modules;   // modules in the odd elements
    int even_modules;  // modules in the even elements
    int widest_odd;    // widest odd element
    int widest_even;   // widest even element
    std::int32_t n_odd;   // number of odd width combinations
    std::int32_t n_even;  // number of even width combinations
};

// Every group's range starts where the one before ends and holds exactly its odd and even
// combinations, so that a value of the group splits into an odd and an even combination
// number within their counts.
template <std::size_t N>
constexpr bool groupsAreContiguousAndFull(const std::array<data_character_group, N>& groups)
{
    std::int64_t next = 0;
    for (const auto& g : groups) {
        if (g.min != next || std::int64_t{g.max} - g.min + 1 != std::int64_t{g.n_odd} * g.n_even)
            return false;
        next = std::int64_t{g.max} + 1;
    }
    return true;
}

// The most elements per parity and the most modules over them that the width routine takes.
inline constexpr int maxParityElements = 8;
inline constexpr int maxParityModules = 32;

using parity_widths = std::array<int, maxParityElements>;

// The `elements` widths (summing to `modules`, none above `maxWidth`) of the combination
// numbered `value`. With `noNarrow` false, at least one width is 1. Throws
// std::invalid_argument unless 1 <= elements <= maxParityElements,
// modules <= maxParityModules and 1 <= maxWidth <= 9; unused entries are 0.
parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow);

// The group of a data character's value (its index in the groups) and the numbers of its
// odd and even width combinations. Outside characters split the group value r as
// odd = r / n_even, even = r % n_even, inside characters as odd = r % n_odd,
// even = r / n_odd. Throws std::out_of_range when no group holds `value`.
struct character_combinations {
    std::size_t group;
    std::int32_t odd;
    std::int32_t even;
};
character_combinations splitDataCharacter(std::int64_t value, bool outside,
                                          std::span<const data_character_group> groups);

// Element widths of one data character as digits "1".."9": 2 * elements of them, odd and
// even widths interleaved, odd first; the rest '\0'.
using data_character = std::array<char, 2 * maxParityElements>;

// The data character `value`, its combinations as splitDataCharacter gives them
// (1 <= elements <= maxParityElements, groups of at most maxParityModules modules a parity).
data_character dataCharacterWidths(std::int64_t value, bool outside, std::span<const data_character_group> groups,
                                   int elements);

// Checksum weights of DataBar-14 and Limited: 3 to the power k modulo `modulus`, k = 0, 1, ...
template <std::size_t N>
constexpr std::array<int, N> powersOfThreeModulo(int modulus)
{
    std::array<int, N> w{};
    int p = 1;
    for (auto& x : w) {
        x = p;
        p = p * 3 % modulus;
    }
    return w;
}

}  // namespace Kelbrin::Tallowlib
