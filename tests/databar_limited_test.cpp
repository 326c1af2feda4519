// SPDX-License-Identifier: Apache-2.0
#include "databar/databar_limited.hpp"
#include "tallowlib/errors.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>

using namespace Kelbrin::Tallowlib;

namespace {

struct encoded {
    std::string widths;
    std::string human;
};

encoded encodeLimited(const char* input)
{
    encoded e;
    EXPECT_EQ(databar_limited_encoder().encode(input, e.widths, e.human), 1);
    return e;
}

int moduleSum(std::string_view widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0, [](int a, char c) { return a + (c - '0'); });
}

}  // namespace

TEST(DatabarLimited, WorkedExamples)
{
    struct example {
        const char* input;
        const char* widths;  // as zint gives them
        int checksum;
        const char* human;
    };
    const example examples[] = {
        {"1234567890123", "1122242111312311121111122121112111112111533311", 38, "(01) 1 2345678 90123 1"},
        {"0123456789012", "1111632111411121112111121122113322111111144111", 74, "(01) 0 1234567 89012 8"},
        {"0000000000000", "1111111111116163111311112121111111111111616311", 35, "(01) 0 0000000 00000 0"},
        {"1999999999999", "1124221211121511111112111231111141133211142111", 7, "(01) 1 9999999 99999 1"},
    };
    for (const auto& x : examples) {
        SCOPED_TRACE(x.input);
        const encoded e = encodeLimited(x.input);
        EXPECT_EQ(e.widths, x.widths);
        EXPECT_EQ(limitedChecksum(e.widths.substr(2, 14), e.widths.substr(30, 14)), x.checksum);
        EXPECT_EQ(e.widths.substr(16, 14), limitedCheckPattern(x.checksum));
        EXPECT_EQ(e.human, x.human);
    }
    const encoded e = encodeLimited("1234567890123");
    EXPECT_EQ(e.widths.substr(2, 14), "22242111312311");
    EXPECT_EQ(e.widths.substr(30, 14), "21111121115333");
}

TEST(DatabarLimited, IndicatorAboveOneIsRefused)
{
    const databar_limited_encoder limited;
    EXPECT_NO_THROW(limited.checkCharacters("0234567890123"));
    EXPECT_NO_THROW(limited.checkCharacters("1234567890123"));
    for (const char* bad : {"2234567890123", "(01)92345678901237", ""}) {
        SCOPED_TRACE(bad);
        std::string widths, human;
        EXPECT_THROW(limited.encode(bad, widths, human), invalid_character_error);
        try {
            limited.checkCharacters(bad);
            ADD_FAILURE() << bad << " accepted";
        } catch (const invalid_character_error& error) {
            EXPECT_EQ(error.code, 1);
            EXPECT_EQ(error.message,
                      "A character that the current symbology can not encode was found in the data to be encoded.");
            EXPECT_FALSE(error.diagnostic.empty());
        }
    }
    gtin_digits two{};
    std::copy_n("02234567890123", two.size(), two.begin());
    EXPECT_THROW(databarLimitedElements(two), std::invalid_argument);
}

TEST(DatabarLimited, CheckPatternTable)
{
    std::set<std::string_view> seen;
    for (int s = 0; s < 89; ++s) {
        const std::string_view p = limitedCheckPattern(s);
        EXPECT_EQ(p.size(), 14u) << s;
        EXPECT_EQ(moduleSum(p), 18) << s;
        EXPECT_TRUE(seen.insert(p).second) << s << " repeats";
    }
    EXPECT_EQ(limitedCheckPattern(88), "21111111221211");
    EXPECT_THROW(limitedCheckPattern(89), std::out_of_range);
    EXPECT_THROW(limitedCheckPattern(-1), std::out_of_range);
}

// Digits no input gives (a leading digit other than 0, characters other than digits) put
// the left data character past the last group, which throws, or keep it inside, which
// gives 46 widths of 1 to 9 making 74 modules.
TEST(DatabarLimited, DigitsBeyondTheInputsThrowOrGiveValidWidths)
{
    struct digits_case {
        const char* digits;
        bool throws;
    };
    const digits_case cases[] = {
        {"90000000000000", true},  {"10000000000000", true},  {"0000000000000/", true},
        {"/0000000000000", true},  {"00054468172040", false}, {"01999999999999", false},
        {"00:00000000000", false}, {"0000000000000:", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.digits);
        gtin_digits digits{};
        std::copy_n(c.digits, digits.size(), digits.begin());
        if (c.throws) {
            EXPECT_THROW(databarLimitedElements(digits), std::out_of_range);
            EXPECT_THROW(databarLimitedElementWidths(digits), std::out_of_range);
            continue;
        }
        const databar_limited_elements e = databarLimitedElements(digits);
        const std::string widths(e.begin(), e.end());
        EXPECT_EQ(widths, databarLimitedElementWidths(digits));
        EXPECT_EQ(moduleSum(widths), 74);
        EXPECT_TRUE(std::all_of(widths.begin(), widths.end(), [](char w) { return w >= '1' && w <= '9'; }));
    }
}
