// SPDX-License-Identifier: Apache-2.0
// The width routine against its defining properties, for every group of every table.
#include "databar/databar_widths.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

struct parity_case {
    const char* table;
    int modules;
    int elements;
    int widest;
    bool noNarrow;
    int combinations;
};

// Odd and even halves of every group of the DataBar-14 outside and inside tables and of
// the Limited table (with the no-narrow flag each half gets).
const parity_case parityCases[] = {
    {"outside", 12, 4, 8, true, 161},  {"outside", 4, 4, 1, false, 1},   {"outside", 10, 4, 6, true, 80},
    {"outside", 6, 4, 3, false, 10},   {"outside", 8, 4, 4, true, 31},   {"outside", 8, 4, 5, false, 34},
    {"outside", 6, 4, 3, true, 10},    {"outside", 10, 4, 6, false, 70}, {"outside", 4, 4, 1, true, 1},
    {"outside", 12, 4, 8, false, 126}, {"inside", 5, 4, 2, false, 4},    {"inside", 10, 4, 7, true, 84},
    {"inside", 7, 4, 4, false, 20},    {"inside", 8, 4, 5, true, 35},    {"inside", 9, 4, 6, false, 48},
    {"inside", 6, 4, 3, true, 10},     {"inside", 11, 4, 8, false, 81},  {"inside", 4, 4, 1, true, 1},
    {"limited", 17, 7, 6, true, 6538}, {"limited", 9, 7, 3, false, 28},  {"limited", 13, 7, 5, true, 875},
    {"limited", 13, 7, 4, false, 728}, {"limited", 9, 7, 3, true, 28},   {"limited", 17, 7, 6, false, 6454},
    {"limited", 15, 7, 5, true, 2415}, {"limited", 11, 7, 4, false, 203}, {"limited", 11, 7, 4, true, 203},
    {"limited", 15, 7, 5, false, 2408}, {"limited", 19, 7, 8, true, 17094}, {"limited", 7, 7, 1, false, 1},
    {"limited", 7, 7, 1, true, 1},     {"limited", 19, 7, 8, false, 16632},
};

}  // namespace

// Every combination number gives a distinct width set within the limits; the counts of
// the tables are exactly the number of such sets.
TEST(RssWidths, EveryCombinationIsDistinctAndWithinLimits)
{
    for (const auto& c : parityCases) {
        SCOPED_TRACE(testing::Message() << c.table << " modules " << c.modules << " widest " << c.widest
                                        << (c.noNarrow ? " no-narrow" : ""));
        std::set<std::vector<int>> seen;
        for (int v = 0; v < c.combinations; ++v) {
            const parity_widths w = rssWidths(v, c.modules, c.elements, c.widest, c.noNarrow);
            const std::vector<int> used(w.begin(), w.begin() + c.elements);
            ASSERT_EQ(std::accumulate(used.begin(), used.end(), 0), c.modules) << "value " << v;
            for (int x : used) {
                ASSERT_GE(x, 1) << "value " << v;
                ASSERT_LE(x, c.widest) << "value " << v;
            }
            if (!c.noNarrow) {
                ASSERT_NE(std::count(used.begin(), used.end(), 1), 0) << "value " << v;
            }
            ASSERT_TRUE(seen.insert(used).second) << "value " << v << " repeats a width set";
        }
    }
}

TEST(DataCharacterWidths, ValueOutsideEveryGroupThrows)
{
    const data_character_group groups[] = {{0, 160, 12, 4, 8, 1, 161, 1}};
    EXPECT_EQ(std::string(dataCharacterWidths(0, true, groups, 4).data()), "11112181");
    EXPECT_THROW(dataCharacterWidths(161, true, groups, 4), std::out_of_range);
    EXPECT_THROW(dataCharacterWidths(-1, true, groups, 4), std::out_of_range);
}
