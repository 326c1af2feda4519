// The Code 128 fast paths (table-driven value encoder with its stretch look-ahead, font text
// written as the values are found, block-wise tokenizer) against the straightforward ways.
#include "code128_reference_values.hpp"

#include "code128/code128_encoder.hpp"
#include "code128/code128_patterns.hpp"
#include "code128/code128_values.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

// Tokens drawn so that every rule of the encoder comes up often: digit runs of every length
// with FNC1s inside, control and lower-range characters alone and in pairs, extended
// characters in runs of three to six, functions, and function numbers past FNC4.
std::vector<code128_token> randomTokens(std::mt19937& rng, std::size_t maxCount)
{
    static const code128_token pool[] = {'0', '5', '9', code128_fnc1, 'A', ' ', '~', 1, 31, 'a', 127,
                                         0x80, 0x9F, 0xC8, 0xE1, 0xFF, code128_fnc2, code128_fnc3,
                                         code128_fnc4, 203 << 8, 0xFF00};
    std::vector<code128_token> tokens;
    const std::size_t count = rng() % (maxCount + 1);
    while (tokens.size() < count) {
        const auto kind = rng() % 8;
        const std::size_t run = 1 + rng() % 7;
        for (std::size_t k = 0; k < run; ++k) {
            if (kind == 0)
                tokens.push_back(static_cast<code128_token>('0' + rng() % 10));
            else if (kind == 1)
                tokens.push_back(rng() % 4 == 0 ? code128_fnc1 : static_cast<code128_token>('0' + rng() % 10));
            else if (kind == 2)
                tokens.push_back(static_cast<code128_token>(128 + rng() % 128));
            else if (kind == 3)
                tokens.push_back(static_cast<code128_token>(rng() % 256));
            else
                tokens.push_back(pool[rng() % std::size(pool)]);
        }
    }
    return tokens;
}

std::string fontTextTheLongWay(const std::vector<std::uint8_t>& values)
{
    std::string modules;
    appendCode128Modules(values, modules);
    return modulesToFontText(modules);
}

std::vector<code128_token> tokensByteByByte(const std::string& text)
{
    // Every byte a data character except where an escape stands, read one position at a time.
    std::vector<code128_token> tokens;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '~') {
            tokens.push_back(static_cast<unsigned char>(text[i++]));
            continue;
        }
        const std::vector<code128_token> one = tokenizeCode128(text.data() + i, std::min<std::size_t>(5, text.size() - i));
        const std::size_t taken = one.front() != '~' ? (text[i + 1] == 'd' ? 5 : 2) : 1;
        tokens.push_back(one.front());
        i += taken;
    }
    return tokens;
}

}  // namespace

TEST(Code128FastPaths, ValuesAndFontTextAgreeWithTheStraightforwardEncoder)
{
    std::mt19937 rng(128);
    std::vector<std::uint8_t> values{1, 2, 3};  // reused: stale contents must not leak
    std::string text = "stale";
    for (int round = 0; round < 20000; ++round) {
        const std::vector<code128_token> tokens = randomTokens(rng, round % 10 == 0 ? 200 : 24);
        const std::vector<std::uint8_t> expected = code128_reference::encodeValues(tokens);
        encodeCode128Values(tokens, values);
        ASSERT_EQ(values, expected) << "round " << round;
        encodeCode128FontText(tokens, text);
        ASSERT_EQ(text, fontTextTheLongWay(expected)) << "round " << round;
    }
}

// Shapes that make the look-ahead work hardest: long alternations that enter and leave C at
// every step, long odd digit runs under the FNC4 latch, and output far past the first guess
// of its size.
TEST(Code128FastPaths, LongAndAdversarialMessages)
{
    const auto repeated = [](std::vector<code128_token> piece, std::size_t times) {
        std::vector<code128_token> tokens;
        for (std::size_t i = 0; i < times; ++i)
            tokens.insert(tokens.end(), piece.begin(), piece.end());
        return tokens;
    };
    const std::vector<code128_token> cases[] = {
        repeated({code128_fnc1, '1'}, 20000),
        repeated({'1', code128_fnc1}, 20000),
        repeated({'1', '2', '3', code128_fnc1, '4', 'A'}, 10000),
        repeated({0xE1, 0xE2, 0xE3, 0xE4, 0xE5, '1', '2', '3', '4', '5', 1}, 5000),
        repeated({0xE1, 1, 0xE1, 'a', 0x81}, 20000),  // shifts and FNC4 before every character
        repeated({'7'}, 100001),
        repeated({'a', 1}, 50000),
    };
    std::vector<std::uint8_t> values;
    std::string text;
    for (const auto& tokens : cases) {
        const std::vector<std::uint8_t> expected = code128_reference::encodeValues(tokens);
        encodeCode128Values(tokens, values);
        ASSERT_EQ(values, expected) << tokens.size();
        encodeCode128FontText(tokens, text);
        ASSERT_EQ(text, fontTextTheLongWay(expected)) << tokens.size();
    }
}

// Messages of every length around the tokenizer's block size, with escapes at every offset.
TEST(Code128FastPaths, TokenizerReadsBlocksAsSingleBytes)
{
    std::mt19937 rng(5);
    static const std::string pieces[] = {"~", "~d", "~d25", "~d255", "~d256", "~@", "~Z", "~[", "~1", "~4", "~5",
                                         "~~", "plain text ", "0123456789", std::string("\0", 1), "\xFF\x80\x7E", "A"};
    std::vector<code128_token> tokens{7, 7, 7};
    std::vector<code128_slot> slots;
    std::vector<std::uint8_t> values;
    std::string text = "stale";
    for (int round = 0; round < 5000; ++round) {
        std::string message;
        const auto parts = rng() % 16;
        for (unsigned i = 0; i < parts; ++i)
            message += pieces[rng() % std::size(pieces)];
        tokenizeCode128(message.data(), message.size(), tokens);
        const std::vector<code128_token> expected = tokensByteByByte(message);
        ASSERT_EQ(tokens, expected) << message;

        // The same tokens as slots, into scratch that is never cut.
        const std::size_t count = tokenizeCode128Slots(message.data(), message.size(), slots);
        ASSERT_EQ(count, expected.size()) << message;
        ASSERT_GE(slots.size(), message.size());
        for (std::size_t k = 0; k < count; ++k) {
            const code128_token t = expected[k];
            ASSERT_EQ(slots[k], t <= 0xFF ? t : 256 + (t >> 8) - 199) << message;
        }

        encodeCode128FontText(slots.data(), count, text);
        ASSERT_EQ(text, fontTextTheLongWay(code128_reference::encodeValues(expected))) << message;
    }
    EXPECT_EQ(tokenizeCode128Slots(nullptr, 5, slots), 0u);
}

// A message of some 100,000 bytes through the entry point's path: every block of the
// tokenizer and every growth of the font text, against the long way.
TEST(Code128FastPaths, LongMessageFontText)
{
    std::mt19937 rng(100);
    static const std::string pieces[] = {"Lot 4711 ", "~d200~d201~d202~d203~d204", "0123456789012", "~1", "~I",
                                         "abc", "\x01\x02", "~"};
    std::string message;
    while (message.size() < 100000)
        message += pieces[rng() % std::size(pieces)];
    std::string font, human;
    code128FontText(message.data(), message.size(), font, &human);
    const std::vector<code128_token> tokens = tokensByteByByte(message);
    EXPECT_GT(font.size(), 300000u);
    EXPECT_EQ(font, fontTextTheLongWay(code128_reference::encodeValues(tokens)));
    std::string modules, encoderHuman;
    code128_encoder().encode(message.c_str(), modules, encoderHuman);
    EXPECT_EQ(human, encoderHuman);
}

// The font text table the sinks copy from: every symbol value's module string as width
// characters, nothing for bytes that are no symbol value, and never more than seven.
TEST(Code128FastPaths, ValueFontTextTable)
{
    for (std::size_t v = 0; v < code128_value_font_texts.size(); ++v) {
        const code128_value_font_text& glyphs = code128_value_font_texts[v];
        const auto count = static_cast<std::size_t>(glyphs.back());
        ASSERT_LE(count, glyphs.size() - 1) << v;
        const std::string expected = v < code128_symbol_patterns.size() ? modulesToFontText(code128_symbol_patterns[v]) : "";
        EXPECT_EQ(std::string(glyphs.data(), count), expected) << v;
    }
}
