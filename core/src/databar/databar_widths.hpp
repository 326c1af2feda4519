// The data-character machinery shared by DataBar-14 and DataBar Limited: value groups,
// the width routine and the element text of one data character.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

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

// The most elements per parity that any DataBar data character uses.
inline constexpr int maxParityElements = 8;

using parity_widths = std::array<int, maxParityElements>;

// Binomial coefficient a over b (0 when b < 0 or b > a), exact in 64 bits for the sizes used.
std::int64_t combins(int a, int b);

// The `elements` widths (summing to `modules`, none above `maxWidth`) of the combination
// numbered `value`. With `noNarrow` false, at least one width is 1. Throws
// std::invalid_argument unless 1 <= elements <= maxParityElements; unused entries are 0.
parity_widths rssWidths(std::int64_t value, int modules, int elements, int maxWidth, bool noNarrow);

// Element text ("1".."9", 2 * `elements` digits, odd and even widths interleaved, odd
// first) of the data character `value`. Outside characters split the group value as
// odd = r / n_even, even = r % n_even, inside characters as odd = r % n_odd,
// even = r / n_odd. Throws std::out_of_range when no group holds `value`.
std::string dataCharacterWidths(std::int64_t value, bool outside, std::span<const data_character_group> groups,
                                int elements);

}  // namespace Kelbrin::Tallowlib
