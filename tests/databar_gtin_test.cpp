// SPDX-License-Identifier: Apache-2.0
// The GTIN input of DataBar-14, Limited, Stacked and Stacked Omnidirectional, through the
// exports: the ways a GTIN may be written, and every refusal with its diagnostic.
#include "Tarnwick.h"

#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

using namespace Kelbrin::Tallowlib;

namespace {

using encoder_function = int (*)(const char*, char*, int32_t);

struct fixed_export {
    const char* name;
    encoder_function f;
};

constexpr fixed_export fixedExports[] = {
    {"DataBar14", DataBar14},
    {"DataBarLimited", DataBarLimited},
    {"DataBarStacked", DataBarStacked},
    {"DataBarStackedOmni", DataBarStackedOmni},
};

// The font text, or "-1: " and the diagnostic.
std::string outcome(encoder_function f, const std::string& input)
{
    char buffer[256];
    const int n = f(input.c_str(), buffer, sizeof buffer);
    if (n > 0)
        return std::string(buffer, static_cast<std::size_t>(n));
    char message[512];
    TarnwickLastError(message, sizeof message);
    return std::to_string(n) + ": " + message;
}

constexpr const char* lengths = ": a GTIN takes 13 digits (the check digit is then computed) or 14";

}  // namespace

// Every way of writing a GTIN gives the symbol of its 13 digits, in each symbology.
TEST(DatabarGtin, WrittenFormsGiveTheSymbolOfTheirThirteenDigits)
{
    const struct {
        const char* input;
        const char* digits;
    } forms[] = {
        {"12345678901231", "1234567890123"},
        {"(01)1234567890123", "1234567890123"},
        {"(01)12345678901231", "1234567890123"},
        {"(01) 1 2345678 90123 1", "1234567890123"},
        {" 1 234567 890123\t", "1234567890123"},
        {"( 01 ) 0123456789012 8", "0123456789012"},
        {"04006381333931", "0400638133393"},
        {"0 4006381 33393 1", "0400638133393"},
    };
    for (const auto& e : fixedExports)
        for (const auto& form : forms) {
            SCOPED_TRACE(std::string(e.name) + " " + form.input);
            const std::string expected = outcome(e.f, form.digits);
            ASSERT_GT(expected.size(), 40u) << expected;
            EXPECT_EQ(outcome(e.f, form.input), expected);
        }
}

TEST(DatabarGtin, RefusalsSayWhatWhereAndWhatIsExpected)
{
    const struct {
        const char* input;
        std::string diagnostic;
        bool limitedOnly;  // the other symbologies take the input
    } cases[] = {
        {"", "no data to encode", false},
        {"   ", std::string("no digits") + lengths, false},
        {"12b4567890123", "character 3 \"b\": a GTIN holds digits only", false},
        {"12345678901-23", "character 12 \"-\": a GTIN holds digits only", false},
        {"1234567890123\xE9", "character 14 \"\\xE9\": a GTIN holds digits only", false},
        {"1234567890123(01)", "character 14 \"(\": a GTIN holds digits only", false},
        {"(01)(01)1234567890123", "character 5 \"(\": a GTIN holds digits only", false},
        {"(02)1234567890123", "character 3 \"2\": \"(01)\" expected before the GTIN", false},
        {"(011234567890123", "character 4 \"1\": \"(01)\" expected before the GTIN", false},
        {"12345678901234", "check digit 4, expected 1", false},
        {"(01) 0400638133393 4", "check digit 4, expected 1", false},
        {"1", std::string("1 digit") + lengths, false},
        {"123456789012", std::string("12 digits") + lengths, false},
        {"(01)", std::string("no digits") + lengths, false},
        {"123456789012345", std::string("15 digits") + lengths, false},
        {"2234567890123", "indicator digit 2: DataBar Limited takes 0 or 1", true},
        {"(01)92345678901237", "indicator digit 9: DataBar Limited takes 0 or 1", true},
    };
    for (const auto& e : fixedExports)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(e.name) + " \"" + c.input + "\"");
            const std::string got = outcome(e.f, c.input);
            if (c.limitedOnly && e.f != DataBarLimited)
                EXPECT_GT(got.size(), 40u) << got;
            else
                EXPECT_EQ(got, "-1: " + c.diagnostic);
        }
}

namespace {

std::string randomDigits(std::mt19937_64& rng, int count, char first = '0', char last = '9')
{
    std::uniform_int_distribution<int> leading(first, last);
    std::uniform_int_distribution<int> digit('0', '9');
    std::string text(1, static_cast<char>(leading(rng)));
    while (static_cast<int>(text.size()) < count)
        text += static_cast<char>(digit(rng));
    return text;
}

// A valid GTIN made invalid in one way; `limitedOnly` when only DataBar Limited refuses it.
struct near_miss {
    std::string input;
    bool limitedOnly = false;
};

near_miss nearMiss(std::mt19937_64& rng)
{
    const std::string gtin = randomDigits(rng, 13);
    const std::string full = gtin + gs1CheckDigit(gtin);
    const auto at = [&rng](const std::string& s) {
        return std::uniform_int_distribution<std::size_t>(0, s.size())(rng);
    };
    switch (rng() % 5) {
    case 0:  // one digit short of the 13
        return {gtin.substr(0, 12)};
    case 1:  // one digit past the 14
        return {full + static_cast<char>('0' + rng() % 10)};
    case 2: {  // a check digit off by 1 to 9
        std::string wrong = full;
        wrong.back() = static_cast<char>('0' + (full.back() - '0' + 1 + static_cast<int>(rng() % 9)) % 10);
        return {wrong};
    }
    case 3: {  // a letter somewhere in either form
        std::string lettered = rng() % 2 == 0 ? gtin : full;
        lettered.insert(at(lettered), 1, static_cast<char>((rng() % 2 == 0 ? 'a' : 'A') + rng() % 26));
        return {lettered};
    }
    default:  // DataBar Limited's indicator digit 2 to 9
        return {randomDigits(rng, 13, '2', '9'), true};
    }
}

}  // namespace

// Inputs one step away from a valid GTIN, written plainly or after "(01)": no symbol, and
// a diagnostic, from every symbology that refuses them.
TEST(DatabarGtin, NearMissesNeverGiveASymbol)
{
    std::mt19937_64 rng(1410);
    for (int n = 0; n < 1000; ++n) {
        near_miss m = nearMiss(rng);
        if (rng() % 3 == 0)
            m.input.insert(0, "(01)");
        for (const auto& e : fixedExports) {
            if (m.limitedOnly && e.f != DataBarLimited)
                continue;
            char buffer[256];
            ASSERT_EQ(e.f(m.input.c_str(), buffer, sizeof buffer), -1) << e.name << " \"" << m.input << "\"";
            char message[512];
            ASSERT_GT(TarnwickLastError(message, sizeof message), 0) << e.name << " \"" << m.input << "\"";
        }
    }
}
