// Element strings parsed without their texts take a one-pass path, the check digit sums
// characters in pairs, Expanded character widths come from compile-time tables and bits are
// written through a three-byte window. Each must give what the general way gives.
#include "expanded/databar_expanded.hpp"
#include "databar/databar_widths.hpp"
#include "gs1/ean128_encoder.hpp"
#include "gs1/ean128_parser.hpp"
#include "tallowlib/errors.hpp"
#include "expanded/expanded_compaction.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

namespace {

// Element strings built from known, pattern and unknown AIs with data of every length the
// records meet (empty to past the data field), blanks, markers and refused characters.
std::string randomElementString(std::mt19937& rng)
{
    static const char* const ais[] = {"01", "00", "02", "10", "11", "20", "21", "22", "242", "253",
                                      "30", "3202", "3375", "392", "3932", "402", "410", "415", "421", "7003",
                                      "703", "7035", "8003", "8008", "8018", "90", "95", "9", "99999", "0A",
                                      "", "1234567890", "41", "8102"};
    static const char alphabet[] = "0123456789     ~!abcXYZ#^()\t\x7F\x80-./";
    std::string s;
    const auto elements = 1 + rng() % 4;
    for (unsigned e = 0; e < elements; ++e) {
        if (rng() % 20 == 0)
            s += "junk";
        s += '(';
        s += ais[rng() % std::size(ais)];
        if (rng() % 25 != 0)
            s += ')';
        const auto length = rng() % 3 == 0 ? rng() % 60 : rng() % 20;
        for (unsigned i = 0; i < length; ++i)
            s += rng() % 3 == 0 ? alphabet[rng() % (sizeof alphabet - 1)] : static_cast<char>('0' + rng() % 10);
        if (rng() % 4 == 0)
            s += rng() % 2 == 0 ? "~" : "! ";
    }
    return s;
}

// Element strings that mostly encode: known AIs with fitting data, blanks and markers.
std::string encodableElementString(std::mt19937& rng)
{
    static const char* const pieces[] = {
        "(01)98898765432106", "(01)1234567890123", "(02)12345678901231~", "(3202)012345", "(3103)001750",
        "(15)991231",         "(17)001332",        "(10)ABC 123",         "(21)xyz-42!",  "(3922)1234",
        "(90)*,-./0123",      "(8008)12345678",    "(7003)1234567890",    "(95)X~",       "(30)12 34",
        "(421)528 1234",      "(00)12345678901234567", "(8020)REF7",      "(98)a",        "(253)1234567890123ABC",
    };
    std::string s;
    const auto parts = 1 + rng() % 4;
    for (unsigned i = 0; i < parts; ++i)
        s += pieces[rng() % std::size(pieces)];
    return s;
}

// The check digit the long way: weights 3, 1, 3, ... from the last character backwards.
int referenceMod10(const std::string& text)
{
    long long sum = 0;
    int weight = 3;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        sum += weight * (static_cast<unsigned char>(*it) - 48);
        weight = 4 - weight;
    }
    const auto rest = static_cast<int>(sum % 10);
    return rest == 0 ? 0 : 10 - rest;
}

}  // namespace

TEST(Ean128FastPaths, RecordsWithoutTextsMatchTheFullParse)
{
    std::mt19937 rng(23);
    int valid = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::string input = randomElementString(rng);
        for (const int options : {0, int{skip_length_check}, int{skip_charset_check}, skip_length_check | skip_charset_check}) {
            ean128_parser full(input.c_str(), options, hr_as_typed);
            ean128_parser lean(input.c_str(), options | skip_text, hr_as_typed);
            for (;;) {
                ean128_element a, b;
                std::memset(&a, 0x5A, sizeof a);
                std::memset(&b, 0x5A, sizeof b);
                const int status = full.nextElement(a);
                ASSERT_EQ(lean.nextElement(b), status) << input;
                ASSERT_EQ(lean.cursor(), full.cursor()) << input;
                if (status == end_of_input || status == bad_structure || status == ai_not_numeric)
                    break;
                valid += status == 0;
                std::memset(a.text, 0, sizeof a.text);  // the only field the lean path leaves empty
                ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << input << " / " << a.ai << " / " << a.data;
            }
        }
    }
    EXPECT_GT(valid, 3000);  // the corpus must reach valid elements, not only faults
}

TEST(Ean128FastPaths, ElementDataMatchesTheRecords)
{
    std::mt19937 rng(29);
    for (int round = 0; round < 6000; ++round) {
        const std::string input = randomElementString(rng);
        for (const int options : {0, skip_length_check | skip_charset_check}) {
            ean128_parser records(input.c_str(), options, hr_as_typed);
            ean128_parser data(input.c_str(), options, hr_as_typed);
            for (;;) {
                ean128_element a;
                ean128_element_data b;
                const int status = records.nextElement(a);
                ASSERT_EQ(data.nextElement(b), status) << input;
                ASSERT_EQ(data.cursor(), records.cursor()) << input;
                if (status == end_of_input || status == bad_structure || status == ai_not_numeric)
                    break;
                // A record cuts the AI and the data to its fields; an element that does not
                // fit is bad_structure either way.
                EXPECT_EQ(b.ai.substr(0, sizeof a.ai - 1), fieldText(a.ai)) << input;
                ASSERT_EQ(b.dataText(), fieldText(a.data)) << input;
                EXPECT_EQ(b.known, a.known) << input;
                EXPECT_EQ(b.no_separator, a.no_separator) << input;
                EXPECT_EQ(b.status, a.status) << input;
                const std::string separator = rng() % 2 == 0 ? "~1" : "#";
                EXPECT_EQ(joinElement(a, separator).view(), joinElement(b, separator).view()) << input;
                EXPECT_EQ(joinElement(b, separator).data(), fieldText(a.data)) << input;
            }
        }
    }
}

// The message and the data string are built the same with the text as without it, and the
// message equals the elements' parts joined the long way.
TEST(Ean128FastPaths, MessagesWithAndWithoutTextAgree)
{
    std::mt19937 rng(31);
    int messages = 0, symbols = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string input = round % 3 == 0 ? randomElementString(rng) : encodableElementString(rng);
        std::string withText = "stale", human = "stale", without = "stale";
        int codeWith = 0, codeWithout = 0;
        try {
            ean128Message(input.c_str(), withText, &human);
        } catch (const invalid_ean128_format_error& e) {
            codeWith = e.code;
        }
        try {
            ean128Message(input.c_str(), without, nullptr);
        } catch (const invalid_ean128_format_error& e) {
            codeWithout = e.code;
        }
        ASSERT_EQ(codeWithout, codeWith) << input;
        ASSERT_EQ(without, withText) << input;
        if (codeWith != 0)
            continue;
        std::vector<ean128_element> elements;
        ASSERT_EQ(parseElementStrings(input.c_str(), 0, hr_as_typed, elements), end_of_input) << input;
        std::string expected = "~1";
        for (std::size_t i = 0; i < elements.size(); ++i) {
            if (i > 0 && elements[i - 1].no_separator == 0)
                expected += "~1";
            expected += fieldText(elements[i].ai);
            expected += fieldText(elements[i].data);
        }
        ASSERT_EQ(without, expected) << input;
        ++messages;

        expanded_widths a{}, b{};
        std::string text;
        int symbolsWith = -1, symbolsWithout = -2;
        try {
            symbolsWith = expandedSymbolWidths(input.c_str(), 22, a, &text);
        } catch (const invalid_ean128_format_error&) {
        }
        try {
            symbolsWithout = expandedSymbolWidths(input.c_str(), 22, b, nullptr);
        } catch (const invalid_ean128_format_error&) {
            symbolsWithout = -1;
        }
        ASSERT_EQ(symbolsWithout, symbolsWith) << input;
        if (symbolsWith > 0) {
            ASSERT_EQ(a, b) << input;
            ++symbols;
        }
    }
    EXPECT_GT(messages, 1000);
    EXPECT_GT(symbols, 1000);
}

TEST(Ean128FastPaths, CheckDigitMatchesTheWeightedSumFromTheEnd)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 25, '0');
        for (char& c : text)
            c = rng() % 8 == 0 ? static_cast<char>(rng()) : static_cast<char>('0' + rng() % 10);
        ASSERT_EQ(gs1Mod10(text), referenceMod10(text)) << text;
    }
    EXPECT_EQ(gs1CheckDigit("9889876543210"), '6');
    EXPECT_EQ(gs1Mod10(""), 0);
}

// Every value of every group, both directions: the widths and checksum that the width
// search gives element by element.
TEST(Ean128FastPaths, ExpandedCharacterWidthsMatchTheWidthSearch)
{
    struct group {
        int first, last, oddModules, oddWidest, evenModules, evenWidest, divisor;
    };
    static const group groups[] = {{0, 347, 12, 7, 5, 2, 4},          {348, 1387, 10, 5, 7, 4, 20},
                                   {1388, 2947, 8, 4, 9, 5, 52},      {2948, 3987, 6, 3, 11, 6, 104},
                                   {3988, 4191, 4, 1, 13, 8, 204}};
    static const int powers[] = {1, 3, 9, 27, 81, 32, 96, 77};
    for (const group& g : groups) {
        for (int value = g.first; value <= g.last; ++value) {
            const int v = value - g.first;
            const parity_widths odd = rssWidths(v / g.divisor, g.oddModules, 4, g.oddWidest, false);
            const parity_widths even = rssWidths(v % g.divisor, g.evenModules, 4, g.evenWidest, true);
            int expected[8];
            int sum = 0;
            for (int i = 0; i < 4; ++i) {
                expected[2 * i] = odd[static_cast<std::size_t>(i)];
                expected[2 * i + 1] = even[static_cast<std::size_t>(i)];
            }
            const int weight = value % 250;
            for (int i = 0; i < 8; ++i)
                sum += weight * powers[i] % 211 * expected[i];
            const int checksum = value % 211;
            for (const bool leftToRight : {true, false}) {
                int widths[8] = {};
                ASSERT_EQ(expandedCharacterWidths(value, weight, checksum, leftToRight, widths), (checksum + sum) % 211)
                    << value;
                for (int i = 0; i < 8; ++i)
                    ASSERT_EQ(widths[i], expected[leftToRight ? i : 7 - i]) << value << " " << i;
            }
        }
    }
}

// Values outside every group (never met in a symbol) take the first value of the last group.
TEST(Ean128FastPaths, ExpandedCharacterValuesOutsideTheGroups)
{
    int expected[8] = {};
    const int checksum = expandedCharacterWidths(3988, 7, 5, true, expected);
    for (const int value : {-1, -5000, 4192, 9999}) {
        int widths[8] = {};
        EXPECT_EQ(expandedCharacterWidths(value, 7, 5, true, widths), checksum) << value;
        EXPECT_TRUE(std::equal(std::begin(widths), std::end(widths), std::begin(expected))) << value;
    }
}

// Writes at every position, also where the three-byte window would leave the field and
// where the write is refused, agree with putBits; the position always advances.
TEST(Ean128FastPaths, CompactionWritesMatchPutBits)
{
    std::mt19937 rng(17);
    bit_field field{}, reference{};
    expanded_compaction s;
    s.field = &field;
    for (int round = 0; round < 20000; ++round) {
        const int count = static_cast<int>(rng() % 19) - 1;
        const int start = static_cast<int>(rng() % (bitFieldBits + 20)) - 10;
        const unsigned value = rng();
        s.bits = start;
        s.write(count, value);
        putBits(reference, start, count, value);
        ASSERT_EQ(field, reference) << start << " " << count;
        ASSERT_EQ(s.bits, start + count);
    }
}
