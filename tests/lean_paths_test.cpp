// What the entry points take the short way must come out exactly as the long way gives it:
// font text straight from symbol values, and no human-readable text where it is not wanted.
#include "code128/code128_encoder.hpp"
#include "code128/code128_patterns.hpp"
#include "gs1/ean128_encoder.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

std::string randomCode128Message(std::mt19937& rng)
{
    static const std::string pieces[] = {"~",  "~d", "~d2", "1",  "9",   "12",   "~1",   "~4", "a",
                                         "Z",  "\x7F", "\x80", "\xFF", "~I", "0000", "~d200", " "};
    std::string message;
    const auto parts = rng() % 30;
    for (unsigned i = 0; i < parts; ++i)
        message += rng() % 4 == 0 ? std::string(1, static_cast<char>(1 + rng() % 255)) : pieces[rng() % std::size(pieces)];
    return message;
}

}  // namespace

TEST(LeanPaths, Code128FontTextIsTheModuleStringsFontText)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        const std::string message = randomCode128Message(rng);
        std::string modules, human;
        code128_encoder().encode(message.c_str(), modules, human);
        std::string font = "stale", leanHuman = "stale";
        code128FontText(message.data(), message.size(), font, &leanHuman);
        ASSERT_EQ(font, modulesToFontText(modules)) << message;
        ASSERT_EQ(leanHuman, human) << message;
    }
    std::string font = "stale";
    code128FontText(nullptr, 0, font);
    EXPECT_EQ(font, "2a1b1d2b2a2b2c3a1a2");  // 104, 1 (check), 106: the empty message
}

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
        std::string modules, ignored;
        if (c.s == symbology::code128)
            code128_encoder().encode(c.input, modules, ignored);
        else
            ean128_encoder().encode(c.input, modules, ignored);
        EXPECT_EQ(withText.front(), modulesToFontText(modules)) << c.input;
    }
}
