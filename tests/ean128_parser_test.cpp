// SPDX-License-Identifier: Apache-2.0
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

struct parsed {
    int status;
    std::vector<ean128_element> records;
};

parsed parse(const char* input, int style = hr_as_typed)
{
    parsed p;
    p.status = parseElementStrings(input, 0, style, p.records);
    return p;
}

std::string separators(const parsed& p)
{
    std::string out;
    for (const auto& r : p.records)
        out += static_cast<char>('0' + r.no_separator);
    return out;
}

}  // namespace

TEST(Ean128Parser, SingleElements)
{
    struct {
        const char* input;
        int status;
        const char* data;  // nullptr: no record
        const char* text;
        int known;
    } cases[] = {
        {"(01)1234567890123", 32, "12345678901231", "(01)12345678901231", 1},
        {"(01)1234 5678 9012 3", 32, "12345678901231", "(01)1234 5678 9012 3 1", 1},
        {"(01)1234 5678 9012 31", 32, "12345678901231", "(01)1234 5678 9012 31", 1},
        {"(01)1234567890123 ", 32, "12345678901231", "(01)1234567890123 1", 1},
        {"(410)1234567890128", 32, "1234567890128", "(410)1234567890128", 1},
        {"(7004)123", 32, "123", "(7004)123", 0},
        {"  (10)A", 32, "A", "(10)A", 1},
        {"(10)A)B", 32, "A)B", "(10)A)B", 1},
        {"(10)A B ~", 32, "AB", "(10)A B ", 1},
        {"(10)A!B~", 32, "A!B", "(10)A!B", 1},
        {"(3103)000123", 32, "000123", "(3103)000123", 1},
        // Refused, never corrected, padded or cut.
        {"(01)12345678901234", 4, nullptr, nullptr, 0},
        {"(01)1234 5678 9012 34", 4, nullptr, nullptr, 0},
        {"(410)1234567890120", 4, nullptr, nullptr, 0},
        {"(17)091301", 4, nullptr, nullptr, 0},
        {"xyz(10)A", 4, nullptr, nullptr, 0},
        {"(10)", 16, nullptr, nullptr, 0},
        {"(10) ~", 16, nullptr, nullptr, 0},
        {"(11)0901", 16, nullptr, nullptr, 0},
        {"(11)09012345", 16, nullptr, nullptr, 0},
        {"(253)12", 16, nullptr, nullptr, 0},
        {"(10)123456789012345678901", 16, nullptr, nullptr, 0},
        {"(02)123456789012X", 8, nullptr, nullptr, 0},
        {"(01)1234567890123A", 8, nullptr, nullptr, 0},
        {"(10)AB\t", 2, nullptr, nullptr, 0},
        {"(10)AB~1CD", 2, nullptr, nullptr, 0},
        {"(7004)A^B", 2, nullptr, nullptr, 0},
        {"01)123", 4, nullptr, nullptr, 0},
        {"(01123", 4, nullptr, nullptr, 0},
        {"(0A)1", 1, nullptr, nullptr, 0},
        {"()1", 1, nullptr, nullptr, 0},
        {"(99999)ABC", 1, nullptr, nullptr, 0},
        {"", 32, nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const parsed p = parse(c.input);
        EXPECT_EQ(p.status, c.status);
        if (c.data == nullptr) {
            EXPECT_TRUE(p.records.empty());
            continue;
        }
        ASSERT_EQ(p.records.size(), 1u);
        EXPECT_STREQ(p.records[0].data, c.data);
        EXPECT_STREQ(p.records[0].text, c.text);
        EXPECT_EQ(p.records[0].known, c.known);
    }
    EXPECT_EQ(parse(nullptr).status, end_of_input);
}

TEST(Ean128Parser, ErrorEndsParsingAndKeepsEarlierRecords)
{
    const parsed p = parse("(10)A(17)0912(21)B");
    EXPECT_EQ(p.status, bad_length);
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_STREQ(p.records[0].ai, "10");

    for (const char* input : {"(10)A(0A)1", "(10)A(01)2"}) {
        ean128_parser parser(input, 0, hr_as_typed);
        ean128_element e;
        ASSERT_EQ(parser.nextElement(e), 0);
        const int fault = parser.nextElement(e);
        EXPECT_NE(fault, 0);
        EXPECT_FALSE(parser.diagnostic().empty());
        EXPECT_EQ(parser.nextElement(e), fault) << input;  // the cursor does not move past a fault
    }
}

TEST(Ean128Parser, SeparatorFlags)
{
    struct {
        const char* input;
        const char* noSeparator;  // one flag per record
    } cases[] = {
        {"(10)ABC123(17)091231", "01"},
        {"(10)ABC~(21)12", "10"},
        {"(11)091231!(10)A", "00"},
        {"(01)12345678901231(10)ABC(21)12", "100"},
        {"(7004)123(10)A", "00"},
        {"(7004)123~(10)A", "10"},
        {"(3103)000123(3370)000001(415)1234567890128(20)12(23)1", "11110"},
        // Fixed length but not of predefined length: FNC1 must follow unless marked "~".
        {"(402)12345678901234567(422)123(424)123(7001)1234567890123(10)A", "00000"},
        {"(7003)0912311530(8001)12345678901234(8005)123456(8006)123456789012345678(10)A", "00000"},
        {"(8018)123456789012345675(8100)123456(8101)1234567890(8102)12(10)A", "00000"},
        {"(422)123~(8102)12~(01)12345678901231!(10)A", "1100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(separators(parse(c.input)), c.noSeparator) << c.input;
}

TEST(Ean128Parser, HumanReadableStyles)
{
    struct {
        const char* input;
        int style;
        const char* text;
    } cases[] = {
        {"(01)0123456789012", hr_grouped, "(01) 0 12 34567 89012 8"},
        {"(00)01234567890123456", hr_grouped, "(00) 0 12 34567 890123456 0"},
        {"(412)1234567890128", hr_grouped, "(412) 12 34567 89012 8"},
        {"(10)AB C", hr_grouped, "(10) ABC"},
        {"(7004)A B", hr_grouped, "(7004) AB"},
        {"(01)1234 5678 9012 3", hr_normalised, "(01)12345678901231"},
        {"(01)1234 5678 9012 3", hr_without_parens, "0112345678901231"},
        {"(01)0123456789012", hr_custom_rules, "(01) 0 12 34567 89012 8"},
        {"(10)ABC", 5, "(10)"},
        {"(10)ABC", -1, "(10)"},
    };
    for (const auto& c : cases) {
        const parsed p = parse(c.input, c.style);
        ASSERT_EQ(p.records.size(), 1u) << c.input;
        EXPECT_STREQ(p.records[0].text, c.text) << c.input << " style " << c.style;
    }
}

TEST(Ean128Parser, AddedRulesServeStyleFour)
{
    ean128_parser parser("(10)abcdef(21)XY(01)0123456789012", 0, hr_custom_rules);
    parser.addRule("1[0-9]", "(AB)(.*)", "$2-$1");
    parser.addRule("10", "(.*)", "never");  // the first matching rule wins
    parser.addRule("21", "y", "#");         // every match replaced, case-insensitive
    EXPECT_EQ(parser.ruleCount(), 3u);
    EXPECT_THROW(parser.addRule("(", "x", "y"), std::regex_error);
    EXPECT_EQ(parser.ruleCount(), 3u);

    ean128_element e;
    const char* expected[] = {"(10)cdef-ab", "(21)X#", "(01) 0 12 34567 89012 8"};
    for (const char* text : expected) {
        ASSERT_EQ(parser.nextElement(e), 0);
        EXPECT_STREQ(e.text, text);
    }
}

TEST(Ean128Parser, FormatErrors)
{
    const char* messages[] = {
        "The AI portion of an EAN-128 structure must be numeric.",
        "The data portion of the EAN-128 data must be alpha-numeric.",
        "Invalid UCC/EAN-128 structure. Check whether the AI and field ID are enclosed with parenthesis. ",
        "Based on the AI, the data portion must be numeric. However, this is not the case in the message encoded.",
        "The length of the data portion of the EAN-128 is incorrect.",
    };
    // Status, expected code (0: nothing thrown); the lowest set bit wins.
    const int cases[][2] = {{1, 10}, {2, 11}, {4, 12}, {8, 13}, {16, 14}, {24, 13}, {31, 10}, {0, 0}, {32, 0}, {64, 0}};
    for (const auto& [status, code] : cases) {
        SCOPED_TRACE(status);
        try {
            raiseFormatError(status);
            EXPECT_EQ(code, 0);
        } catch (const invalid_ean128_format_error& e) {
            EXPECT_EQ(e.code, code);
            EXPECT_EQ(e.message, messages[code - 10]);
        }
    }
}

TEST(Ean128Parser, ElementStringCheck)
{
    // Input, expected code (0: accepted).
    const std::pair<const char*, int> cases[] = {
        {"(01)12345678901231(10)ABC123", 0}, {"(7004)ABC", 0}, {"", 0}, {"(10)A(2)", 10}, {"01)123", 12},
        {"(0A)1", 10}, {"(11)12345", 14}, {"(01)1234567890123A", 13}, {"(10)AB\t", 11},
    };
    for (const auto& [input, code] : cases) {
        SCOPED_TRACE(input);
        try {
            checkElementStrings(input);
            EXPECT_EQ(code, 0);
        } catch (const barlib_error& e) {
            EXPECT_EQ(e.code, code);
        }
    }
}
