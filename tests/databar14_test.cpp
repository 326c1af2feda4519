#include "tallowlib/databar14.hpp"
#include "tallowlib/font_text.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>

using namespace Kelbrin::Tallowlib;

namespace {

struct encoded {
    std::string widths;
    std::string human;
};

encoded encode14(const char* input)
{
    encoded e;
    EXPECT_EQ(databar14_encoder().encode(input, e.widths, e.human), 1);
    return e;
}

std::string reversed(std::string s) { return {s.rbegin(), s.rend()}; }

int moduleSum(const std::string& widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0, [](int a, char c) { return a + (c - '0'); });
}

}  // namespace

TEST(Databar14, WorkedExamples)
{
    struct example {
        const char* input;
        const char* widths;  // nullptr: not checked here
        const char* human;
    };
    const example examples[] = {
        {"1234567890123", "1113112161238111411511121132222119311212333111", "(01) 1 2345678 90123 1"},
        {"2001234567890", nullptr, "(01) 2 0012345 67890 9"},
        {"0123456789012", nullptr, "(01) 0 1234567 89012 8"},
        {"", nullptr, "(01) 0 0000000 00000 0"},
        {"no digits at all", nullptr, "(01) 0 0000000 00000 0"},
        {"(01)12345678901231", nullptr, "(01) 0 1123456 78901 1"},  // "01" of the AI become data
    };
    for (const auto& x : examples) {
        SCOPED_TRACE(x.input);
        const encoded e = encode14(x.input);
        if (x.widths) {
            EXPECT_EQ(e.widths, x.widths);
        }
        EXPECT_EQ(e.human, x.human);
    }
    EXPECT_EQ(singleRowFontText(encode14("1234567890123").widths), "a1a3a1b1f1b3h1a1d1a5a1a2a1c2b2b1a9c1a2a2c3c1a1");
}

TEST(Databar14, DataCharactersSitWhereTheSymbolPutsThem)
{
    // 2001234567890: data characters 276, 312, 1563, 311; 1234567890123: 170, 616, 1262, 547.
    struct example {
        const char* input;
        int c[4];
    };
    for (const auto& x : {example{"2001234567890", {276, 312, 1563, 311}}, example{"1234567890123", {170, 616, 1262, 547}}}) {
        SCOPED_TRACE(x.input);
        const std::string w = encode14(x.input).widths;
        EXPECT_EQ(w.substr(2, 8), dataCharacterWidths(x.c[0], true, databar14OutsideGroups, 4));
        EXPECT_EQ(reversed(w.substr(15, 8)), dataCharacterWidths(x.c[1], false, databar14InsideGroups, 4));
        EXPECT_EQ(reversed(w.substr(36, 8)), dataCharacterWidths(x.c[2], true, databar14OutsideGroups, 4));
        EXPECT_EQ(w.substr(23, 8), dataCharacterWidths(x.c[3], false, databar14InsideGroups, 4));
    }
    EXPECT_EQ(dataCharacterWidths(170, true, databar14OutsideGroups, 4), "13112161");
    EXPECT_EQ(dataCharacterWidths(616, false, databar14InsideGroups, 4), "11151141");
    EXPECT_EQ(dataCharacterWidths(1262, true, databar14OutsideGroups, 4), "13332121");
    EXPECT_EQ(dataCharacterWidths(547, false, databar14InsideGroups, 4), "21132222");
}

TEST(Databar14, DigitExtraction)
{
    const auto text = [](const char* in) {
        const gtin_digits d = gtinDigits(in);
        return std::string(d.begin(), d.end());
    };
    EXPECT_EQ(text("123"), "01230000000000");
    EXPECT_EQ(text("1234567890123"), "01234567890123");
    EXPECT_EQ(text("12345678901231"), "01234567890123");  // 14th digit dropped, never checked
    EXPECT_EQ(text("12-34 5x6"), "01234560000000");
    EXPECT_EQ(text(nullptr), "00000000000000");
    EXPECT_EQ(encode14("12345678901231").widths, encode14("1234567890123").widths);
    EXPECT_EQ(encode14("12345678901239").widths, encode14("1234567890123").widths);
}

// Over a seeded random corpus: the fixed layout, the finder pair that the checksum
// selects, and the human-readable check digit.
TEST(Databar14, LayoutAndChecksumOverRandomGtins)
{
    constexpr const char* finders[] = {"38211", "35511", "33711", "31911", "27411",
                                       "25611", "23811", "15711", "13911"};
    std::mt19937_64 rng(14);
    std::uniform_int_distribution<std::uint64_t> gtin(0, 9'999'999'999'999ULL);
    for (int n = 0; n < 2000; ++n) {
        char input[16];
        std::snprintf(input, sizeof input, "%013llu", static_cast<unsigned long long>(gtin(rng)));
        SCOPED_TRACE(input);
        const encoded e = encode14(input);
        ASSERT_EQ(e.widths.size(), 46u);
        ASSERT_EQ(moduleSum(e.widths), 96);
        ASSERT_EQ(e.widths.substr(0, 2), "11");
        ASSERT_EQ(e.widths.substr(44), "11");

        // Checksum from the four characters in their unreversed order.
        const std::string c[4] = {e.widths.substr(2, 8), reversed(e.widths.substr(15, 8)),
                                  reversed(e.widths.substr(36, 8)), e.widths.substr(23, 8)};
        int sum = 0, weight = 1;
        for (const auto& character : c)
            for (char digit : character) {
                sum += (digit - '0') * weight;
                weight = weight * 3 % 79;
            }
        int t = sum % 79;
        t += t >= 8;
        t += t >= 72;
        ASSERT_EQ(e.widths.substr(10, 5), finders[t / 9]);
        ASSERT_EQ(reversed(e.widths.substr(31, 5)), finders[t % 9]);
        ASSERT_EQ(e.human.back(), gs1CheckDigit(std::string("0") + input));
    }
}
