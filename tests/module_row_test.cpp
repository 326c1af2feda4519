// SPDX-License-Identifier: Apache-2.0
#include "rows/module_row.hpp"
#include "rows/separator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

// The modules of `bits` as "0"/"1" text, `width` of them.
std::string moduleText(const module_bits& bits, std::size_t width)
{
    std::string text(width, '0');
    for (std::size_t j = 0; j < width; ++j)
        text[j] = bits.dark(j) ? '1' : '0';
    return text;
}

std::string laidOut(const element_row& row)
{
    module_bits bits;
    bits.words.fill(~std::uint64_t{0});  // whatever the bits held before
    layOutRow(row, bits);
    return moduleText(bits, bits.width);
}

// At least four light modules at each end.
bool lightEnds(const std::string& row)
{
    const auto firstDark = row.find('1');
    return firstDark == std::string::npos || (firstDark >= 4 && row.rfind('1') + 4 < row.size());
}

}  // namespace

TEST(ModuleRow, GuardsPadsAndDirection)
{
    const int w[] = {1, 2, 3};
    // guard (colour of the first element laid out, then the other), elements, guard going on
    // alternating; pads light
    EXPECT_EQ(laidOut({3, 0, 0, true, false, w}), "01" "011000" "10");
    EXPECT_EQ(laidOut({3, 0, 0, false, false, w}), "10" "100111" "01");
    EXPECT_EQ(laidOut({3, 0, 0, false, true, w}), "10" "111001" "01");  // element 2 (dark, as element 0) first
    EXPECT_EQ(laidOut({3, 2, 1, true, false, w}), "00" "01" "011000" "10" "0");
    EXPECT_EQ(laidOut({}), "");
}

// Module ranges set to a pattern against one module at a time, across word boundaries and
// past the capacity.
TEST(ModuleRow, AssignedRangesMatchSingleModules)
{
    std::mt19937_64 rng(25);
    const std::uint64_t patterns[] = {0, ~std::uint64_t{0}, evenModules, oddModules};
    module_bits bits;
    for (auto& w : bits.words)
        w = rng();
    std::string expected = moduleText(bits, moduleBitsCapacity);
    for (int i = 0; i < 3000; ++i) {
        const std::size_t from = rng() % (moduleBitsCapacity + 10);
        const std::size_t to = from + rng() % 150;
        const std::uint64_t pattern = patterns[rng() % 4];
        assignModules(bits, from, to, pattern);
        for (std::size_t j = from; j < std::min(to, moduleBitsCapacity); ++j)
            expected[j] = (pattern >> (j % 64) & 1u) != 0 ? '1' : '0';
        ASSERT_EQ(moduleText(bits, moduleBitsCapacity), expected) << from << ".." << to;
    }
}

// The data-row separator of arbitrary rows, finder heads at the very end included: as wide
// as the row with its pads, light over the pads and four light modules at each end, and
// the complement of the row wherever no finder head is near.
TEST(DataRowSeparator, ArbitraryRowsKeepWidthAndLightEnds)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> width(1, 9), count(1, 60), coin(0, 1), pad(0, 3);
    module_bits data;
    module_bits separator;
    for (int n = 0; n < 5000; ++n) {
        std::vector<int> w(static_cast<std::size_t>(count(rng)));
        for (auto& x : w)
            x = n % 4 == 1 ? 1 + width(rng) % 4 : width(rng);  // some rows too narrow for finder heads
        const int head[] = {9, 1, 3};
        if (n % 3 == 0 && w.size() >= 3)
            std::copy(std::begin(head), std::end(head), w.end() - 3);
        const element_row row{static_cast<int>(w.size()), pad(rng), pad(rng), coin(rng) == 1, coin(rng) == 1, w.data()};
        layOutRow(row, data);
        separator.words.fill(~std::uint64_t{0});
        dataRowSeparator(row, data, separator);
        ASSERT_EQ(separator.width, data.width);
        const std::string rowText = moduleText(data, data.width);
        const std::string text = moduleText(separator, moduleBitsCapacity);
        const auto left = static_cast<std::size_t>(row.left_pad);
        const std::size_t inner = data.width - left - static_cast<std::size_t>(row.right_pad);
        ASSERT_EQ(text.find('1', left + inner), std::string::npos) << text;
        ASSERT_EQ(text.substr(0, left), std::string(left, '0'));
        ASSERT_TRUE(lightEnds(text.substr(left, inner))) << text;
        if (std::none_of(w.begin(), w.end(), [](int x) { return x >= 5; })) {  // no finder head anywhere
            for (std::size_t j = left + 4; j + 4 < left + inner; ++j)
                ASSERT_NE(text[j], rowText[j]) << j;
        }
    }
}
