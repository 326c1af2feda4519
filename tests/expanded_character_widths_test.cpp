// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded symbol characters: the widths and checksum share from the compile-time
// tables against the width search, and values outside every group.
#include "expanded/databar_expanded.hpp"
#include "databar/databar_widths.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

// Every value of every group, both directions: the widths and checksum that the width
// search gives element by element.
TEST(ExpandedCharacterWidths, MatchTheWidthSearch)
{
    struct group {
        int first, last, oddModules, oddWidest, evenModules, evenWidest, divisor;
    };
    static const group groups[] = {{0, 347, 12, 7, 5, 2, 4},          {348, 1387, 10, 5, 7, 4, 20},
                                   {1388, 2947, 8, 4, 9, 5, 52},      {2948, 3987, 6, 3, 11, 6, 104},
                                   {3988, 4191, 4, 1, 13, 8, 204}};
    static const int powers[] = {1, 3, 9, 27, 81, 32, 96, 77};
    for (const group& g : groups) {
        for (int value = g.first; value <= g.last; ++value) {
            const int v = value - g.first;
            const parity_widths odd = rssWidths(v / g.divisor, g.oddModules, 4, g.oddWidest, false);
            const parity_widths even = rssWidths(v % g.divisor, g.evenModules, 4, g.evenWidest, true);
            int expected[8];
            int sum = 0;
            for (int i = 0; i < 4; ++i) {
                expected[2 * i] = odd[static_cast<std::size_t>(i)];
                expected[2 * i + 1] = even[static_cast<std::size_t>(i)];
            }
            const int weight = value % 250;
            for (int i = 0; i < 8; ++i)
                sum += weight * powers[i] % 211 * expected[i];
            const int checksum = value % 211;
            for (const bool leftToRight : {true, false}) {
                int widths[8] = {};
                ASSERT_EQ(expandedCharacterWidths(value, weight, checksum, leftToRight, widths), (checksum + sum) % 211)
                    << value;
                for (int i = 0; i < 8; ++i)
                    ASSERT_EQ(widths[i], expected[leftToRight ? i : 7 - i]) << value << " " << i;
            }
        }
    }
}

// Values outside every group (never met in a symbol) take the first value of the last group.
TEST(ExpandedCharacterWidths, ValuesOutsideTheGroups)
{
    int expected[8] = {};
    const int checksum = expandedCharacterWidths(3988, 7, 5, true, expected);
    for (const int value : {-1, -5000, 4192, 9999}) {
        int widths[8] = {};
        EXPECT_EQ(expandedCharacterWidths(value, 7, 5, true, widths), checksum) << value;
        EXPECT_TRUE(std::equal(std::begin(widths), std::end(widths), std::begin(expected))) << value;
    }
}
