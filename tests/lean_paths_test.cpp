// What the entry points take the short way must come out exactly as the long way gives it:
// no human-readable text where it is not wanted, and binomial counts looked up.
#include "databar/databar_widths.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

TEST(LeanPaths, FontLinesAreTheSameWhetherOrNotTheHumanTextIsWanted)
{
    const struct {
        symbology s;
        const char* input;
        const char* human;
    } cases[] = {
        {symbology::code128, "Order 4711~I~d200", "Order 4711 \xC8"},
        {symbology::gs1_128, "(01)1234567890123(10)ABC 123", "(01)12345678901231(10)ABC 123"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> withText{"stale", "lines"}, without{"stale"};
        std::string human = "stale";
        encodeFontLines(c.s, c.input, 22, withText, &human);
        encodeFontLines(c.s, c.input, 22, without);
        ASSERT_EQ(withText.size(), 1u);
        EXPECT_EQ(without, withText) << c.input;
        EXPECT_EQ(human, c.human);
    }
}

// The width search looks its binomial counts up below some size and computes them above it:
// both must be the counts of Pascal's rule on either side of the boundary.
TEST(LeanPaths, CombinationCountsOnBothSidesOfTheTable)
{
    std::vector<std::vector<std::int64_t>> pascal;
    for (int a = 0; a <= 60; ++a) {
        pascal.emplace_back(static_cast<std::size_t>(a) + 1, 1);
        for (int b = 1; b < a; ++b)
            pascal[a][b] = pascal[a - 1][b - 1] + pascal[a - 1][b];
        for (int b = 0; b <= a; ++b)
            ASSERT_EQ(combins(a, b), pascal[a][b]) << a << " " << b;
        EXPECT_EQ(combins(a, -1), 0);
        EXPECT_EQ(combins(a, a + 1), 0);
    }
    EXPECT_EQ(combins(-3, -5), 0);
}
