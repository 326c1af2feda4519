// SPDX-License-Identifier: Apache-2.0
// The CLI asks for the human-readable text and the libraries do not: the font text must be
// the same either way.
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
