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

// Parses the input in every option set and the styles that matter; checks every record.
void parseChecked(const std::string& input)
{
    for (int options = 0; options <= 3; ++options) {
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
            try {
                raiseFormatError(status);
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

    // An element too long for its record keeps the first characters of its AI, data and text,
    // but is refused as a structure error (whatever the options), never encoded cut short.
    const std::string input = "(7004)" + longData + "(1234567890123)X";
    for (int options : {0, skip_length_check | skip_charset_check}) {
        ean128_parser parser(input.c_str(), options, hr_as_typed);
        ean128_element record{};
        EXPECT_EQ(parser.nextElement(record), bad_structure);
        EXPECT_EQ(std::string(record.data), longData.substr(0, 39));
        EXPECT_EQ(std::string(record.text), "(7004)" + longData.substr(0, 113));
        EXPECT_EQ(parser.nextElement(record), bad_structure);
        EXPECT_STREQ(record.ai, "123456789");
        EXPECT_EQ(record.known, 0);
        EXPECT_STREQ(record.data, "X");
    }
    std::vector<ean128_element> records;
    EXPECT_EQ(parseElementStrings(("(7004)" + longData.substr(0, 39)).c_str(), 0, hr_as_typed, records), end_of_input);
    EXPECT_EQ(parseElementStrings(("(7004)" + longData.substr(0, 40)).c_str(), 0, hr_as_typed, records), bad_structure);
    EXPECT_EQ(parseElementStrings("(123456789)X", 0, hr_as_typed, records), end_of_input);
    EXPECT_EQ(parseElementStrings("(1234567890)X", 0, hr_as_typed, records), bad_structure);
}
