// SPDX-License-Identifier: Apache-2.0
// GS1 element strings through the exported functions: every faulty input is refused with one
// diagnostic saying what is wrong, where and what is expected, by GS1-128 and DataBar
// Expanded alike; nothing is padded, cut or corrected, and valid inputs still encode.
#include "Tarnwick.h"

#include "expanded/databar_expanded.hpp"
#include "gs1/ean128_encoder.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

struct export_result {
    int n;
    std::string text;  // the font text, or the diagnostic after a failure
};

std::string lastError()
{
    char buffer[600];
    return TarnwickLastError(buffer, sizeof buffer) > 0 ? std::string(buffer) : std::string();
}

export_result gs1_128(const std::string& input)
{
    std::vector<char> buffer(8192);
    const int n = EAN128_Uni(input.c_str(), buffer.data(), static_cast<int32_t>(buffer.size()));
    return {n, n > 0 ? std::string(buffer.data()) : lastError()};
}

export_result expanded(const std::string& input, int segments = 22)
{
    std::vector<char> buffer(8192);
    const int n = DataBarExpanded(input.c_str(), segments, buffer.data(), static_cast<int32_t>(buffer.size()));
    return {n, n > 0 ? std::string(buffer.data()) : lastError()};
}

// The error code the core throws for the input, or 0.
template <typename Encode>
int coreCode(Encode encode)
{
    try {
        encode();
    } catch (const invalid_ean128_format_error& e) {
        return e.code;
    }
    return 0;
}

}  // namespace

TEST(Gs1Checks, RefusalsSayWhatIsWrongWhereAndWhatIsExpected)
{
    const struct {
        const char* input;
        int code;  // GS1-128's; DataBar Expanded gives 10 for every failure
        const char* diagnostic;
    } cases[] = {
        {"(01)12345678901234", 12, "AI (01): check digit 4, expected 1"},
        {"(01)1234 5678 9012 34", 12, "AI (01): check digit 4, expected 1"},
        {"(00)123456789012345670", 12, "AI (00): check digit 0, expected 5"},
        {"(414)1234567890120", 12, "AI (414): check digit 0, expected 8"},
        {"(10)ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 14, "AI (10): 36 characters, at most 20"},
        {"(01)123456789012315", 14, "AI (01): 15 characters, expected 14, or 13 without the check digit"},
        {"(01)123456789012", 14, "AI (01): 12 characters, expected 14, or 13 without the check digit"},
        {"(11)0901", 14, "AI (11): 4 characters, expected 6"},
        {"(3103)0012500", 14, "AI (3103): 7 characters, expected 6"},
        {"(253)12", 14, "AI (253): 2 characters, at least 13"},
        {"(10)", 14, "AI (10): no data"},
        {"(10)A(21) ~", 14, "AI (21): no data"},
        {"(7004)1234567890123456789012345678901234567890", 14, "AI (7004): 40 characters, at most 39"},
        {"(99999)ABC", 10, "AI (99999): an AI has 2 to 4 digits"},
        {"(1)ABC", 10, "AI (1): an AI has 2 to 4 digits"},
        {"(10)A(2)", 10, "AI (2): an AI has 2 to 4 digits"},
        {"(0A)1", 10, "AI (0A): an AI has digits only"},
        {"(10)AB~1CD", 11, "AI (10): character 3 \"~\" is not in GS1's character set"},
        {"(21)A B#C", 11, "AI (21): character 4 \"#\" is not in GS1's character set"},
        {"(7004)A^B", 11, "AI (7004): character 2 \"^\" is not in GS1's character set"},
        {"(10)\xE9t\xE9", 11, "AI (10): character 1 \"\\xE9\" is not in GS1's character set"},
        {"(01)1234567890123A", 13, "AI (01): character 14 \"A\" is not a digit"},
        {"(3103)00125O", 13, "AI (3103): character 6 \"O\" is not a digit"},
        {"(17)091301", 12, "AI (17): month 13 is not a month"},
        {"(11)090000", 12, "AI (11): month 00 is not a month"},
        {"(15)090431", 12, "AI (15): day 31 is not a day of month 04 (00 to 30)"},
        {"(13)090230", 12, "AI (13): day 30 is not a day of month 02 (00 to 29)"},
        {"(12)091232", 12, "AI (12): day 32 is not a day of month 12 (00 to 31)"},
        {"(16)0913", 12, "AI (16): \"0913\" is not a date YYMMDD"},
        {"(7003)0912001530", 12, "AI (7003): day 00 is not a day of month 12 (01 to 31)"},
        {"xyz(10)A", 12, "text before the first \"(\": \"xyz\""},
        {"01)123", 12, "no \"(\" found: element strings are written \"(\" AI \")\" data"},
        {"(01123", 12, "no \")\" after \"(01123\""},
    };
    const ean128_encoder gs1;
    const databar_expanded_encoder dbe;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(gs1_128(c.input).n, -1);
        EXPECT_EQ(lastError(), c.diagnostic);
        EXPECT_EQ(expanded(c.input).n, -1);
        EXPECT_EQ(lastError(), c.diagnostic);
        std::string barcode, text;
        EXPECT_EQ(coreCode([&] { gs1.encode(c.input, barcode, text); }), c.code);
        EXPECT_EQ(coreCode([&] { dbe.encode(c.input, barcode, text); }), 10);
    }
    // Too much for a DataBar Expanded symbol, which GS1-128 carries.
    const std::string big = "(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST(90)XYZ";
    EXPECT_EQ(expanded(big).n, -1);
    EXPECT_EQ(lastError(), "the data needs 306 bits, a symbol holds at most 252");
    EXPECT_GT(gs1_128(big).n, 0);
}

TEST(Gs1Checks, ValidFormsEncodeWhatTheyMean)
{
    // Each input and the plain form it means: blanks dropped, a left-out check digit added,
    // markers "~" (no FNC1 after the element) and "!" (one after it) honoured.
    const struct {
        const char* input;
        const char* plain;
    } cases[] = {
        {"(01)1234567890123", "(01)12345678901231"},
        {"(01)1234 5678 9012 3", "(01)12345678901231"},
        {"  (01)12345678901231 (10) AB C", "(01)12345678901231(10)ABC"},
        {"(00)12345678901234567", "(00)123456789012345675"},
        {"(8018)12345678901234567(10)A", "(8018)123456789012345675(10)A"},
        {"(7004)ABC(10)X", "(7004)ABC(10)X"},
        {"(10)ABC~(21)12", "(10)ABC~(21)12"},
        {"(11)091231!(10)A", "(11)091231!(10)A"},
        {"(17)001200(15)091200(11)080229", "(17)001200(15)091200(11)080229"},
        {"(90)a!\"%&')*+,-./:;<=>?_z", "(90)a!\"%&')*+,-./:;<=>?_z"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const export_result typed = gs1_128(c.input);
        EXPECT_GT(typed.n, 0) << typed.text;
        EXPECT_EQ(typed.text, gs1_128(c.plain).text);
        const export_result typedExpanded = expanded(c.input, 4);
        EXPECT_GT(typedExpanded.n, 0) << typedExpanded.text;
        EXPECT_EQ(typedExpanded.text, expanded(c.plain, 4).text);
    }
    // The separator markers change the symbol, blanks do not.
    EXPECT_NE(gs1_128("(10)ABC~(21)12").text, gs1_128("(10)ABC(21)12").text);
    EXPECT_NE(gs1_128("(11)091231!(10)A").text, gs1_128("(11)091231(10)A").text);
    std::string barcode, text;
    ean128_encoder().encode("(01)1234 5678 9012 3(10)A~(21) B", barcode, text);
    EXPECT_EQ(text, "(01)1234 5678 9012 3 1(10)A(21) B");  // typed blanks stay, the marker does not
}

namespace {

// A valid element string of a few elements, one of which is then made faulty in one way.
class near_miss_generator {
public:
    explicit near_miss_generator(unsigned seed) : rng_(seed) {}

    std::string next()
    {
        std::vector<std::string> elements;
        const int count = 1 + pick(3);
        for (int i = 0; i < count; ++i)
            elements.push_back(validElement());
        elements[static_cast<std::size_t>(pick(count))] = faultyElement();
        std::string out;
        for (const std::string& e : elements)
            out += e;
        return out;
    }

private:
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    std::string digits(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('0' + pick(10));
        return s;
    }
    std::string letters(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>('A' + pick(26));
        return s;
    }
    std::string two(int v) { return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }
    std::string gtin() { return withCheckDigit(digits(13)); }
    static std::string withCheckDigit(const std::string& body) { return body + gs1CheckDigit(body); }

    std::string validElement()
    {
        switch (pick(5)) {
        case 0: return "(01)" + gtin();
        case 1: return "(10)" + letters(1 + pick(20));
        case 2: return "(17)" + digits(2) + two(1 + pick(12)) + two(pick(29));
        case 3: return "(3103)" + digits(6);
        default: return "(21)" + digits(1 + pick(20));
        }
    }

    std::string faultyElement()
    {
        static const char* const fixedAis[] = {"11", "13", "15", "17", "20", "3103", "3650", "402", "422", "8005"};
        static const int fixedLengths[] = {6, 6, 6, 6, 2, 6, 6, 17, 3, 6};
        static const char* const variableAis[] = {"10", "21", "240", "400", "90", "30", "37"};
        static const int maxLengths[] = {20, 20, 30, 30, 30, 8, 8};
        const int f = pick(10);
        const int v = pick(7);
        static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        switch (pick(8)) {
        case 0:  // a fixed field one digit short or long
            return std::string("(") + fixedAis[f] + ")" + digits(fixedLengths[f] + (pick(2) ? 1 : -1));
        case 1:  // a check-digit field one digit long
            return "(01)" + gtin() + digits(1);
        case 2: {  // a wrong check digit
            const std::string g = gtin();
            return "(01)" + g.substr(0, 13) + static_cast<char>('0' + (g[13] - '0' + 1 + pick(9)) % 10);
        }
        case 3: {  // a letter in a numeric field
            std::string d = pick(2) ? gtin() : digits(6);
            d[static_cast<std::size_t>(pick(static_cast<int>(d.size())))] = static_cast<char>('A' + pick(26));
            return (d.size() == 14 ? "(01)" : "(3103)") + d;
        }
        case 4:  // an over-long field
            return std::string("(") + variableAis[v] + ")" + digits(maxLengths[v] + 1 + pick(5));
        case 5: {  // a month that is none
            const int month = pick(2) ? 0 : 13 + pick(87);
            return "(" + std::string(fixedAis[pick(4)]) + ")" + digits(2) + two(month) + two(pick(29));
        }
        case 6: {  // a day past the end of its month
            const int month = 1 + pick(12);
            const int day = monthDays[month - 1] + 1 + pick(99 - monthDays[month - 1]);
            return "(" + std::string(fixedAis[pick(4)]) + ")" + digits(2) + two(month) + two(day);
        }
        default:  // "~" inside the data
            return std::string("(") + variableAis[pick(5)] + ")" + letters(1 + pick(5)) + "~" + letters(1 + pick(5));
        }
    }

    std::mt19937 rng_;
};

}  // namespace

TEST(Gs1Checks, NearMissesNeverEncode)
{
    near_miss_generator gen(20261207);
    for (int i = 0; i < 1000; ++i) {
        const std::string input = gen.next();
        SCOPED_TRACE(input);
        ASSERT_EQ(gs1_128(input).n, -1);
        ASSERT_FALSE(lastError().empty());
        ASSERT_EQ(expanded(input, 2 + 2 * (i % 11)).n, -1);
        ASSERT_FALSE(lastError().empty());
    }
}
