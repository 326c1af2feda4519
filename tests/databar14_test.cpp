// SPDX-License-Identifier: Apache-2.0
#include "databar/databar14.hpp"
#include "font/font_text.hpp"
#include "tallowlib/errors.hpp"

#include <gtest/gtest.h>

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

}  // namespace

TEST(Databar14, WorkedExamples)
{
    struct example {
        const char* input;
        const char* widths;  // as zint gives them; nullptr: not checked here
        const char* human;
    };
    const example examples[] = {
        {"1234567890123", "1113112161238111411511121132222119311212333111", "(01) 1 2345678 90123 1"},
        {"2001234567890", "1111331151274111221215125121112112833212123211", "(01) 2 0012345 67890 9"},
        {"0123456789012", "1111313151139113132311112213132117333211222311", "(01) 0 1234567 89012 8"},
        {"0000000000000", "1111112181382117211111111111127119131812111111", "(01) 0 0000000 00000 0"},
        {"1999999999999", "1111331151256113241211121224211114722212233111", "(01) 1 9999999 99999 1"},
        {"(01) 12345678901231", "1113112161238111411511121132222119311212333111", "(01) 1 2345678 90123 1"},
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

// 2001234567890 carries the data characters 276, 312, 1563, 311.
TEST(Databar14, DataCharactersSitWhereTheSymbolPutsThem)
{
    const auto character = [](std::int64_t value, bool outside) {
        const data_character c = outside ? dataCharacterWidths(value, true, databar14OutsideGroups, 4)
                                         : dataCharacterWidths(value, false, databar14InsideGroups, 4);
        return std::string(c.data(), 8);
    };
    const std::string w = encode14("2001234567890").widths;
    EXPECT_EQ(w.substr(2, 8), character(276, true));
    EXPECT_EQ(reversed(w.substr(15, 8)), character(312, false));
    EXPECT_EQ(reversed(w.substr(36, 8)), character(1563, true));
    EXPECT_EQ(w.substr(23, 8), character(311, false));
}

// 13 digits get their check digit computed, 14 have it verified; nothing else is read as a
// GTIN (the diagnostics are checked through the exports).
TEST(Databar14, GtinDigits)
{
    const struct {
        const char* input;
        bool checkDigitGiven;
    } accepted[] = {{"1234567890123", false}, {"12345678901231", true}, {"(01) 1234567890123", false},
                    {"(01)1 2345678 90123 1", true}};
    for (const auto& a : accepted) {
        SCOPED_TRACE(a.input);
        const gtin_input g = readGtin(a.input);
        EXPECT_EQ(std::string(g.digits.begin(), g.digits.end()), "01234567890123");
        EXPECT_EQ(g.checkDigitGiven, a.checkDigitGiven);
    }
    for (const char* refused : {static_cast<const char*>(nullptr), "", "123", "12345678901239", "12-34567890123"}) {
        SCOPED_TRACE(refused ? refused : "null");
        try {
            encode14(refused);
            ADD_FAILURE() << "accepted";
        } catch (const invalid_character_error& e) {
            EXPECT_EQ(e.code, 1);
            EXPECT_STREQ(e.what(), error_text::invalidCharacterInData);
            EXPECT_FALSE(e.diagnostic.empty());
        }
    }
}
