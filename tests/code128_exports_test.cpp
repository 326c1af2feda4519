// SPDX-License-Identifier: Apache-2.0
// Code128_Uni and EAN128_Uni: the result contract and the font text they write.
#include "Tarnwick.h"

#include <gtest/gtest.h>

#include <random>

#include <string>
#include <vector>

namespace {

using encoder_fn = int (*)(const char*, char*, int32_t);

// Calls `f` with a buffer of `size` bytes preceded and followed by guard bytes; checks that
// nothing outside the reported text (and its zero) was written.
std::pair<int, std::string> call(encoder_fn f, const std::string& input, std::size_t size)
{
    std::vector<char> buffer(size + 16, '#');
    const int n = f(input.c_str(), buffer.data() + 8, static_cast<int32_t>(size));
    const std::size_t written = n > 0 ? static_cast<std::size_t>(n) + 1 : 0;
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        if (i < 8 || i >= 8 + written) {
            EXPECT_EQ(buffer[i], '#') << "byte " << i << " written";
        }
    }
    if (n <= 0)
        return {n, {}};
    EXPECT_EQ(buffer[8 + static_cast<std::size_t>(n)], '\0');
    return {n, std::string(buffer.data() + 8, static_cast<std::size_t>(n))};
}

}  // namespace

TEST(Code128Exports, FontTextAndBufferBounds)
{
    const std::string expected = "2a1b3b1a2b3b1b2b3a2c3a1a2";
    EXPECT_EQ(call(Code128_Uni, "12", 26), std::make_pair(25, expected));
    EXPECT_EQ(call(Code128_Uni, "12", 25).first, 0);
    EXPECT_EQ(call(Code128_Uni, "12", 0).first, 0);
    EXPECT_EQ(call(Code128_Uni, "", 100).first, -1);
    EXPECT_EQ(Code128_Uni("12", nullptr, 100), 0);
}

TEST(Code128Exports, LongInputsNeverOverrun)
{
    for (const std::size_t length : {1u, 100u, 5000u, 100000u}) {
        std::string input;
        for (std::size_t i = 0; input.size() < length; ++i)
            input += i % 7 == 0 ? "~d200" : i % 5 == 0 ? "~" : std::string(1, static_cast<char>('0' + i % 10));
        const auto [n, text] = call(Code128_Uni, input, 8u * length + 64);
        EXPECT_GT(n, 0);
        EXPECT_EQ(call(Code128_Uni, input, static_cast<std::size_t>(n)).first, 0);
        EXPECT_EQ(call(Code128_Uni, input, 16).first, 0);
    }
}

TEST(Ean128Exports, FontTextErrorsAndBufferBounds)
{
    // FNC1, AI 01 and its data in set C: 105, 102, 1, 12, 34, 56, 78, 90, 12, 31, 74, 106.
    const auto [n, text] = call(EAN128_Uni, "(01)12345678901231", 128);
    EXPECT_EQ(n, 73);
    EXPECT_EQ(text.substr(0, 12), "2a1b3b4a1a3a");
    EXPECT_EQ(text.substr(text.size() - 7), "2c3a1a2");
    EXPECT_EQ(call(EAN128_Uni, "(01)12345678901231", 74).first, 73);
    EXPECT_EQ(call(EAN128_Uni, "(01)12345678901231", 73).first, 0);
    EXPECT_EQ(call(EAN128_Uni, "", 128).first, -1);

    // Every element-string error is a failure, whatever the buffer.
    for (const char* bad : {"01)123", "(01123", "(0A)1", "()1", "(11)12345", "(01)1234567890123A", "(10)AB\t",
                            "x", "(10)A(11)0901"}) {
        EXPECT_EQ(call(EAN128_Uni, bad, 1024).first, -1) << bad;
        EXPECT_EQ(call(EAN128_Uni, bad, 0).first, -1) << bad;
    }
}

// Random bytes of every length up to a few hundred, with the syntax characters made likely:
// every call ends in -1, 0 or a text inside the buffer.
TEST(Code128FamilyExports, ArbitraryInputsStayInsideTheBuffer)
{
    std::mt19937 rng(7);
    const char syntax[] = "()~!0123456789 dA";
    for (int round = 0; round < 3000; ++round) {
        std::string input(rng() % 300, ' ');
        for (char& c : input)
            c = rng() % 2 ? syntax[rng() % (sizeof syntax - 1)] : static_cast<char>(1 + rng() % 255);
        const std::size_t size = rng() % 4 == 0 ? rng() % 64 : 4096;
        for (encoder_fn f : {Code128_Uni, EAN128_Uni}) {
            const int n = call(f, input, size).first;
            EXPECT_TRUE(n == -1 || n == 0 || (n > 0 && static_cast<std::size_t>(n) < size));
        }
    }
}
