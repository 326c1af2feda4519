// SPDX-License-Identifier: Apache-2.0
// Code 128: escapes, code-set choice, FNC4 latching, check character, patterns, font text.
#include "code128/code128_encoder.hpp"
#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

std::vector<int> valuesOf(const std::string& message)
{
    const auto values = encodeCode128Values(tokenizeCode128(message.data(), message.size()));
    return {values.begin(), values.end()};
}

std::vector<int> tokensOf(const std::string& message)
{
    const auto tokens = tokenizeCode128(message.data(), message.size());
    return {tokens.begin(), tokens.end()};
}

constexpr int F1 = code128_fnc1, F2 = code128_fnc2, F3 = code128_fnc3, F4 = code128_fnc4;

}  // namespace

TEST(Code128Tokens, EscapesAndLiterals)
{
    const struct {
        std::string text;
        std::vector<int> tokens;
    } cases[] = {
        {"Ab", {'A', 'b'}},
        {"~@~A~Z", {0, 1, 26}},
        {"~1~2~3~4", {F1, F2, F3, F4}},
        {"~d000~d065~d255", {0, 65, 255}},
        {"~d256", {'~', 'd', '2', '5', '6'}},
        {"~d300", {'~', 'd', '3', '0', '0'}},
        {"~d25", {'~', 'd', '2', '5'}},  // five characters needed
        {"~d2x5", {'~', 'd', '2', 'x', '5'}},
        {"~", {'~'}},
        {"A~", {'A', '~'}},
        {"~~1", {'~', F1}},
        {"~[~5~a~0", {'~', '[', '~', '5', '~', 'a', '~', '0'}},
        {"\xC8\x01\x7F", {200, 1, 127}},
        {std::string("A\0B", 3), {'A', 0, 'B'}},  // the given length, not the first zero
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokensOf(c.text), c.tokens) << c.text;
}

TEST(Code128Values, CodeSetsShiftsLatchesAndCheckCharacter)
{
    const struct {
        std::string message;
        std::vector<int> values;
    } cases[] = {
        {"12", {105, 12, 14, 106}},
        {"AIM1234", {104, 33, 41, 45, 99, 12, 34, 87, 106}},  // the example of ISO/IEC 15417 Annex A.1
        {"123456789", {105, 12, 34, 56, 78, 100, 25, 79, 106}},
        {"~d128", {103, 101, 64, 23, 106}},  // FNC4 in set A before an extended control
        {"123", {104, 17, 18, 19, 8, 106}},  // three digits stay in set B
        {"1234", {105, 12, 34, 82, 106}},
        {"12345", {105, 12, 34, 100, 21, 54, 106}},
        {"A1234B", {104, 33, 99, 12, 34, 100, 34, 78, 106}},
        {"A12345", {104, 33, 17, 99, 23, 45, 64, 106}},  // odd run: one digit in B first
        {"1234~I", {105, 12, 34, 101, 73, 59, 106}},     // set C left for A
        {"1~123", {104, 17, 99, 102, 23, 99, 106}},      // FNC1 at an even offset counts as two digits
        {"ab~Icd", {104, 65, 66, 98, 73, 67, 68, 85, 106}},
        {"AB~Ic", {103, 33, 34, 73, 98, 67, 17, 106}},
        {"a~I~Ib", {104, 65, 101, 73, 73, 98, 66, 17, 106}},  // two controls in a row: switch to A
        {"a~d137b", {104, 65, 100, 98, 73, 66, 49, 106}},     // extended control: FNC4 and shift
        {"~d200", {104, 100, 40, 78, 106}},
        {"~d200~d201~d202", {104, 100, 100, 40, 41, 42, 74, 106}},
        {"~d200~d201~d202~d203", {104, 100, 40, 100, 100, 41, 42, 43, 94, 106}},
        {"~d200~d201~d202~d203~d204A", {104, 100, 100, 40, 41, 42, 43, 44, 100, 100, 33, 95, 106}},
        // An odd digit run after latched characters: the latch is closed before the digit
        // that goes in set B, or it would be read as an extended character.
        {"~d200~d201~d202~d203~d20412345",
         {104, 100, 100, 40, 41, 42, 43, 44, 100, 100, 17, 99, 23, 45, 31, 106}},
        {"~d200~d201~d202~d203~d2041234", {104, 100, 100, 40, 41, 42, 43, 44, 99, 12, 34, 26, 106}},
        {"", {104, 1, 106}},
        {"~1", {104, 102, 0, 106}},
        {"~11234567890123456", {105, 102, 12, 34, 56, 78, 90, 12, 34, 56, 81, 106}},  // FNC1 counts as two digits
        {"~10112345678901231", {105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106}},
        {"~110ABC123~117091231", {105, 102, 10, 100, 33, 34, 35, 17, 99, 23, 102, 17, 9, 12, 31, 45, 106}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(valuesOf(c.message), c.values) << c.message;
}

// Whatever the message, the symbol is well formed: start, values 0..105, valid check, stop.
TEST(Code128Values, AnyMessageGivesAWellFormedSymbol)
{
    std::mt19937 rng(128);
    const std::string pieces[] = {"~", "~d", "~d2", "1", "9", "~1", "~4", "a", "Z", "\x7F", "\x80", "\xFF", "~I", "0"};
    for (int round = 0; round < 3000; ++round) {
        std::string message;
        const int parts = static_cast<int>(rng() % 40);
        for (int i = 0; i < parts; ++i)
            message += rng() % 3 == 0 ? std::string(1, static_cast<char>(rng() % 256)) : pieces[rng() % std::size(pieces)];
        const auto v = valuesOf(message);
        ASSERT_GE(v.size(), 3u);
        EXPECT_TRUE(v.front() >= 103 && v.front() <= 105);
        EXPECT_EQ(v.back(), 106);
        long sum = v[0];
        for (std::size_t i = 1; i + 2 < v.size(); ++i) {
            ASSERT_LE(v[i], 102) << message;
            sum += static_cast<long>(i) * v[i];
        }
        EXPECT_EQ(v[v.size() - 2], sum % 103) << message;
    }
}

// Messages far longer than the encoder keeps inside its own object, some of them with more
// symbol values than tokens: the tokens appended at once or one at a time, and the font
// text written as the values are decided, all tell the same symbol.
TEST(Code128Values, LongMessagesAgreeHoweverTheyAreBuilt)
{
    std::mt19937 rng(1280);
    const std::string pieces[] = {"~d137", "a", "~I", "12345", "~1", "~d200", "B", "\xE1", "7"};
    for (int round = 0; round < 40; ++round) {
        std::string message;
        const std::size_t length = 100 + rng() % 3000;
        const bool manyPerToken = round % 2 == 0;  // extended controls in set B: three values each
        while (message.size() < length)
            message += manyPerToken && rng() % 4 != 0 ? std::string("a~d137") : pieces[rng() % std::size(pieces)];
        const auto tokens = tokenizeCode128(message.data(), message.size());
        const auto values = encodeCode128Values(tokens);
        std::string expected, font = "stale";
        appendCode128FontText(values, expected);
        code128FontText(message.data(), message.size(), font);
        ASSERT_EQ(font, expected) << message;
    }
}

TEST(Code128Patterns, TableHasTheStandardShape)
{
    std::set<std::string_view> distinct(code128_symbol_widths.begin(), code128_symbol_widths.end());
    EXPECT_EQ(distinct.size(), 107u);
    for (std::size_t v = 0; v < code128_symbol_widths.size(); ++v) {
        const std::string_view w = code128_symbol_widths[v];
        const bool stop = v == 106;
        ASSERT_EQ(w.size(), stop ? 7u : 6u) << v;  // three bars and three spaces (stop: four bars)
        int modules = 0, barModules = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const int width = w[i] - '0';
            EXPECT_TRUE(width >= 1 && width <= 4) << v;
            modules += width;
            barModules += i % 2 == 0 ? width : 0;
        }
        EXPECT_EQ(modules, stop ? 13 : 11) << v;
        if (!stop) {
            EXPECT_EQ(barModules % 2, 0) << v;  // the standard's parity: an even number of bar modules
        }
    }
}

TEST(Code128FontText, WidthCharactersAndModulesOfSymbols)
{
    const struct {
        std::vector<std::uint8_t> values;
        std::string font;
        std::string modules;
    } cases[] = {
        {{0}, "2a2b2b", "bbsbbssbbss"},
        {{98}, "4a1c1a", "bbbbsbsssbs"},
        {{103}, "2a1d1b", "bbsbssssbss"},
        {{106}, "2c3a1a2", "bbsssbbbsbsbb"},
        {{105, 12, 14, 106}, "2a1b3b1a2b3b1b2b3a2c3a1a2", "bbsbssbbbssbsbbssbbbssbssbbssbbbsbbsssbbbsbsbb"},
        {{104, 1, 106}, "2a1b1d2b2a2b2c3a1a2", "bbsbssbssssbbssbbsbbssbbsssbbbsbsbb"},
        {{107, 255}, "", ""},  // no symbol characters
    };
    for (const auto& c : cases) {
        std::string font = "x", modules = "y";
        appendCode128FontText(c.values, font);
        appendModulesOfFontText(font, modules);
        EXPECT_EQ(font, "x" + c.font);
        EXPECT_EQ(modules, "y" + c.modules);
    }
}

TEST(Code128Encoder, ModuleStringAndHumanReadableText)
{
    const code128_encoder enc;
    EXPECT_EQ(enc.characterSet(), "@@@@");
    EXPECT_NO_THROW(enc.checkCharacters(std::string("\x01~\xFF", 3)));

    std::string barcode = "stale", human = "stale";
    EXPECT_EQ(enc.encode("12", barcode, human), 1);
    EXPECT_EQ(barcode, "bbsbssbbbssbsbbssbbbssbssbbssbbbsbbsssbbbsbsbb");  // 105, 12, 14, 106
    EXPECT_EQ(human, "12");
    std::string modules = "stale";
    code128Modules("12", 2, modules);
    EXPECT_EQ(modules, barcode);

    const struct {
        const char* input;
        std::string human;
    } cases[] = {
        {"A~IB", "A B"},
        {"~1~2~3~4x", "x"},                  // function characters show nothing
        {"~@~Z~d031~d127\x7F", "     "},     // controls (0..31, 127) as blanks
        {"~d200\xE9~d128", "\xC8\xE9\x80"},  // extended characters as themselves
        {"~d300~", "~d300~"},
        {"", ""},
    };
    for (const auto& c : cases) {
        enc.encode(c.input, barcode, human);
        EXPECT_EQ(human, c.human) << c.input;
        std::string font, fontHuman;
        code128FontText(c.input, std::strlen(c.input), font, &fontHuman);
        EXPECT_EQ(fontHuman, c.human) << c.input;
    }
    EXPECT_EQ(enc.encode("", barcode, human), 1);
    EXPECT_EQ(barcode, "bbsbssbssssbbssbbsbbssbbsssbbbsbsbb");  // 104, 1, 106
    std::string font = "stale";
    code128FontText(nullptr, 0, font);
    EXPECT_EQ(font, "2a1b1d2b2a2b2c3a1a2");
}
