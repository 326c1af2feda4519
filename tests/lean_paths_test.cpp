// What the entry points take the short way must come out exactly as the long way gives it:
// font text straight from symbol values, element strings parsed without their texts, and
// AIs matched against the dictionary without regular expressions, binomial counts looked up.
#include "gs1/ai_dictionary.hpp"
#include "databar/databar_widths.hpp"
#include "gs1/ean128_encoder.hpp"
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/symbol_text.hpp"

#include <boost/regex.hpp>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

// Inputs of every shape the element-string parser knows: valid, each error, markers, blanks.
const char* const elementInputs[] = {
    "(01)98898765432106(3202)012345(15)991231",
    "(01)1234 5678 9012 3(10)AB~(21)12!(17)091231",
    "(00)123456789012345675(02)1234567890123(37)24(10)LOT 42(7004)X1",
    "(8020)REF123(7003)1234567890(98)INTERNAL(703 1)ABC",
    "xyz(10)A)B(11)0901",
    "(02)123456789012X",
    "(0A)1",
    "01)123",
    "(10)AB\t",
    "(7004)" "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOP",
    "",
};

int formatErrorCode(const std::function<void()>& run)
{
    try {
        run();
    } catch (const invalid_ean128_format_error& e) {
        return e.code;
    }
    return 0;
}

}  // namespace

TEST(LeanPaths, ElementStringsWithoutTextsGiveTheSameRecordsAndMessage)
{
    for (const char* input : elementInputs) {
        for (const int options : {0, skip_length_check | skip_charset_check}) {
            std::vector<ean128_element> full, lean;
            const int fullStatus = parseElementStrings(input, options, hr_as_typed, full);
            EXPECT_EQ(parseElementStrings(input, options | skip_text, hr_as_typed, lean), fullStatus) << input;
            ASSERT_EQ(lean.size(), full.size()) << input;
            for (std::size_t i = 0; i < full.size(); ++i) {
                EXPECT_STREQ(lean[i].ai, full[i].ai);
                EXPECT_STREQ(lean[i].data, full[i].data);
                EXPECT_STREQ(lean[i].text, "");
                EXPECT_EQ(lean[i].known, full[i].known);
                EXPECT_EQ(lean[i].no_separator, full[i].no_separator);
                EXPECT_EQ(lean[i].status, full[i].status);
            }
        }

        std::string message, human;
        const int fullCode = formatErrorCode([&] { ean128Message(input, message, human); });
        std::string leanMessage = "stale";
        const int leanCode = formatErrorCode([&] { ean128Message(input, leanMessage, nullptr); });
        EXPECT_EQ(leanCode, fullCode) << input;
        EXPECT_EQ(leanMessage, message) << input;
        if (fullCode != 0) {
            EXPECT_EQ(message, "") << input;  // nothing half-built is left behind
            EXPECT_EQ(human, "") << input;
        }
    }
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
    }
}

// Every AI of up to four digits, and some that are no AIs, finds the row that a walk with
// the rows' patterns as regular expressions finds.
TEST(LeanPaths, DictionaryLookupAgreesWithRegularExpressions)
{
    const auto rows = aiDefinitions();
    std::vector<boost::regex> expressions;
    for (const ai_definition& row : rows)
        expressions.emplace_back(row.kind == ai_pattern ? row.pattern : "(?!)");
    const auto reference = [&](const std::string& ai) -> const ai_definition* {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].kind == ai_literal ? ai == rows[i].pattern : boost::regex_match(ai, expressions[i]))
                return &rows[i];
        }
        return nullptr;
    };
    std::vector<std::string> ais = {"", "A1", "3A02", "9", "3 02", "31020", "0000000000000000000000000"};
    for (int digits = 1; digits <= 4; ++digits) {
        int count = 1;
        for (int d = 0; d < digits; ++d)
            count *= 10;
        for (int n = 0; n < count; ++n) {
            std::string ai = std::to_string(n);
            ais.push_back(std::string(static_cast<std::size_t>(digits) - ai.size(), '0') + ai);
        }
    }
    int known = 0;
    for (const std::string& ai : ais) {
        const ai_definition* found = findAiDefinition(ai);
        ASSERT_EQ(found, reference(ai)) << ai;
        known += found != nullptr;
    }
    EXPECT_GT(known, 669);  // the pattern rows alone cover 669 AIs
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
