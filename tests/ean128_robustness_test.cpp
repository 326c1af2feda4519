// SPDX-License-Identifier: Apache-2.0
// Random and very long inputs: the parser never crashes, never writes past a record's
// fields, and every failure is a format error with a code from 10 to 14.
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

using namespace Kelbrin::Tallowlib;

namespace {

// A record between two guard words that must survive every call.
struct guarded_element {
    std::uint64_t before = guard;
    ean128_element element{};
    std::uint64_t after = guard;
    static constexpr std::uint64_t guard = 0xA5A5A5A5A5A5A5A5u;
};

template <std::size_t N>
bool terminated(const char (&field)[N])
{
    return std::memchr(field, '\0', N) != nullptr;
}

// Parses the input with and without texts and in the styles that matter; checks every record.
void parseChecked(const std::string& input)
{
    for (int options : {0, static_cast<int>(skip_text)}) {
        for (int style : {hr_grouped, hr_as_typed, hr_without_parens, hr_custom_rules}) {
            ean128_parser parser(input.c_str(), options, style);
            parser.addRule("[0-9]+", "(.)(.)", "$2$1$2$1");
            guarded_element g;
            int status;
            int records = 0;
            while ((status = parser.nextElement(g.element)) == 0) {
                ASSERT_TRUE(terminated(g.element.ai) && terminated(g.element.data) && terminated(g.element.text));
                ASSERT_LE(++records, static_cast<int>(input.size()));
            }
            ASSERT_EQ(g.before, guarded_element::guard);
            ASSERT_EQ(g.after, guarded_element::guard);
            ASSERT_TRUE(status == end_of_input || (status > 0 && status < end_of_input)) << status;
            if (status == end_of_input) {
                EXPECT_NO_THROW(raiseFormatError(status));
                continue;
            }
            ASSERT_FALSE(parser.diagnostic().empty());
            try {
                raiseFormatError(status, parser.diagnostic());
                FAIL() << "status " << status << " raised nothing";
            } catch (const barlib_error& e) {
                ASSERT_GE(e.code, 10);
                ASSERT_LE(e.code, 14);
            }
        }
    }
}

}  // namespace

TEST(Ean128Robustness, RandomInputs)
{
    std::mt19937 random(20261207);
    const std::string alphabet = "((()))0123456789012345678901234567890123AZaz ~!\t\x7f\x80\xff-";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 80);
    for (int i = 0; i < 2000; ++i) {
        std::string input;
        for (int n = length(random); n > 0; --n)
            input += alphabet[pick(random)];
        SCOPED_TRACE(input);
        parseChecked(input);
        if (HasFatalFailure())
            return;
    }
}

TEST(Ean128Robustness, LongInputs)
{
    const std::string longData(100000, '7');
    const std::string cases[] = {
        "(10)" + longData,
        "(7004)" + longData + "~(7004)" + longData,
        "(01)" + longData,
        "(" + longData + ")ABC",
        "(" + longData + "A)1",
        "(" + longData,
        longData + "(10)" + std::string(5000, ' ') + "!",
        "(10)" + std::string(100000, ')'),
        std::string(20000, '(') + "1)2",
    };
    for (const std::string& input : cases)
        parseChecked(input);

    // Data too long for the record is refused as too long, never encoded cut short; an AI
    // longer than 4 digits is refused whatever its data.
    std::vector<ean128_element> records;
    std::string diagnostic;
    EXPECT_EQ(parseElementStrings(("(7004)" + longData.substr(0, 39)).c_str(), 0, hr_as_typed, records), end_of_input);
    EXPECT_EQ(parseElementStrings(("(7004)" + longData).c_str(), 0, hr_as_typed, records, &diagnostic), bad_length);
    EXPECT_EQ(diagnostic, "AI (7004): 100000 characters, at most 39");
    EXPECT_EQ(parseElementStrings(("(" + longData + ")X").c_str(), 0, hr_as_typed, records, &diagnostic),
              ai_not_numeric);
    EXPECT_EQ(diagnostic, "AI (777777777777...): an AI has 2 to 4 digits");
    EXPECT_EQ(records.size(), 1u);
}
