// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded compaction: method selection, the three modes, the size rule, padding,
// the bit field and its traces.
#include "expanded/expanded_compaction.hpp"
#include "trace.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

namespace {

std::string bitsOf(unsigned value, int count)
{
    std::string s;
    for (int i = count - 1; i >= 0; --i)
        s.push_back(((value >> i) & 1u) ? '1' : '0');
    return s;
}

std::string fieldBits(const bit_field& f, int from, int to)
{
    std::string s;
    for (int n = from; n < to; ++n)
        s.push_back(readBits(f, n, 1) ? '1' : '0');
    return s;
}

std::string dataStringOf(const char* input)
{
    expanded_data_string d;
    buildExpandedDataString(input, d, nullptr);
    return std::string(d.view());
}

// Runs the mode loop from `mode` over `data` in a fresh field starting at bit `start`;
// returns the bits written (no padding).
std::string compactFrom(compaction_mode mode, const char* data, int start = 0, int segments = 22)
{
    bit_field field{};
    expanded_compaction s;
    s.data = data;
    s.field = &field;
    s.bits = start;
    s.segmentsPerRow = segments;
    s.mode = mode;
    compactModes(s);
    return fieldBits(field, start, s.bits);
}

// Bit n is bit (7 - n % 8) of byte n / 8; bits outside the field read 0.
unsigned readBitsOneByOne(const bit_field& f, int start, int count)
{
    unsigned v = 0;
    for (int i = 0; i < count && i < 16; ++i) {
        const int n = start + i;
        v = v << 1 | ((n >= 0 && n < bitFieldBits) ? (f[static_cast<std::size_t>(n / 8)] >> (7 - n % 8)) & 1u : 0u);
    }
    return v;
}

}  // namespace

TEST(ExpandedDataString, JoinsElementsWithFnc1AfterVariableLengthOnes)
{
    EXPECT_EQ(dataStringOf("(01)98898765432106(3202)012345(15)991231"), "0198898765432106320201234515991231");
    EXPECT_EQ(dataStringOf("(01)12345678901231(10)ABC(21)12"), "011234567890123110ABC#2112");
    EXPECT_EQ(dataStringOf("(10)ABC~(21)12"), "10ABC2112");
    EXPECT_EQ(dataStringOf("(11)091231!(10)A"), "11091231#10A");
    EXPECT_EQ(dataStringOf("(01)1234567890123"), "0112345678901231");  // check digit added
    // Fixed-length AIs outside the predefined-length table still need their FNC1.
    EXPECT_EQ(dataStringOf("(8005)123456(10)A"), "8005123456#10A");
    EXPECT_EQ(dataStringOf("(7003)0912312359(10)A"), "70030912312359#10A");
}

// Every row of the selection table: the method bits, the compressed fields and the count.
TEST(ExpandedMethodSelection, EveryMethodWithItsFieldsAndCount)
{
    struct field_check {
        int start;
        int count;
        unsigned value;
    };
    struct row {
        const char* data;
        const char* method;  // bits from bit 1
        int headerBits;      // bit position after the method and its compressed fields
        int dataCharacters;
        std::vector<field_check> fields;
    };
    const std::string gtin = "0198898765432106";
    const std::vector<row> rows = {
        {"0112345678901231", "1", 48, 4, {{4, 4, 1}, {8, 10, 234}, {18, 10, 567}, {28, 10, 890}, {38, 10, 123}}},
        {"01988987654321063103001750", "0100", 60, 5, {{5, 10, 889}, {15, 10, 876}, {25, 10, 543}, {35, 10, 210}, {45, 15, 1750}}},
        {"01988987654321063202001234", "0101", 60, 5, {{45, 15, 1234}}},
        {"01988987654321063203012345", "0101", 60, 5, {{45, 15, 22345}}},
        {"01988987654321063202012345", "0111001", 84, 7, {{48, 20, 212345}, {68, 16, 38400}}},
        {"01988987654321063103032768", "0111000", 84, 7, {{48, 20, 332768}, {68, 16, 38400}}},
        {"0198898765432106320201234515991231", "0111101", 84, 7,
         {{48, 20, 212345}, {68, 16, 99 * 384 + 11 * 32 + 31}}},
        {"0198898765432106310300175013091231", "0111010", 84, 7, {{68, 16, 9 * 384 + 11 * 32 + 31}}},
        {"0198898765432106310300175011091231", "0111000", 84, 7, {}},
        {"0198898765432106320300175017091231", "0111111", 84, 7, {}},
        {"01988987654321063922123", "01100", 50, 0, {{48, 2, 2}}},
        {"01988987654321063932978123", "01101", 60, 0, {{48, 2, 2}, {50, 10, 978}}},
        {"0198898765432106110912313103001750", "1", 48, 0, {{4, 4, 9}}},
        {"10A", "00", 5, 3, {}},
        {"0112345678901234", "00", 5, 0, {}},      // wrong check digit: not a GTIN to compress
        {"01988987654321063103001750X", "1", 48, 0, {}},  // n = 27 fits no compressed row
        {"0198898765432106310300175011091331", "1", 48, 0, {}},  // month 13 has no date field
        {"0198898765432106310300175011090032", "1", 48, 0, {}},  // day 32 neither
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.data);
        bit_field field{};
        expanded_compaction s;
        s.data = r.data;
        s.field = &field;
        s.bits = 1;
        EXPECT_EQ(selectEncodationMethod(s), compaction_mode::numeric);
        const std::string method(r.method);
        EXPECT_EQ(fieldBits(field, 1, 1 + static_cast<int>(method.size())), method);
        EXPECT_EQ(s.bits, r.headerBits);
        for (const auto& f : r.fields)
            EXPECT_EQ(fieldBits(field, f.start, f.start + f.count), bitsOf(f.value, f.count)) << "field at " << f.start;
        if (r.dataCharacters > 0) {
            bit_field packed{};
            EXPECT_EQ(pack(r.data, packed, 22), r.dataCharacters);
        }
    }
}

// Whole bit strings, linkage flag to padding, of element strings through each kind of
// method; zint, an independent encoder, draws the same symbols.
TEST(ExpandedPack, KnownBitStrings)
{
    const struct {
        const char* input;
        const char* bits;  // 12 bits per data character
    } cases[] = {
        {"(01)98898765432106(3202)012345(15)991231",
         "001111011101 111001110110 110010000111 110011010010 001100111101 011110011001 010111111111"},
        {"(01)98898765432106(3103)001750", "001001101111 001110110110 010000111110 011010010000 011011010110"},
        {"(01)98898765432106(3932)9781234",
         "001101001101 111001110110 110010000111 110011010010 101111010010 001010101011 010000001000"},
        {"(01)12345678901231(10)ABC-12/x(21)7",
         "010000010011 101010100011 011111011110 100001111011 001001100001 000001000011 000101111000 "
         "011000111111 110001001110 001011110011 111101111100"},
        {"(10)12345678", "000100010011 001010101011 011000101101 110100000010"},
    };
    for (const auto& c : cases) {
        const std::string data = dataStringOf(c.input);
        bit_field field{};
        const int n = pack(data.c_str(), field, 22);
        fillVariableLengthField(field, n);
        std::string expected(c.bits);
        std::erase(expected, ' ');
        EXPECT_EQ(fieldBits(field, 0, 12 * n), expected) << c.input;
    }
}

// The three modes, their latches and look-aheads, from a fresh field (36 bits = 3 data
// characters of room before anything grows).
TEST(ExpandedModes, EncodingsLatchesAndLookAheads)
{
    const auto b = bitsOf;
    struct row {
        compaction_mode mode;
        const char* data;
        std::string bits;
    };
    using m = compaction_mode;
    const std::vector<row> rows = {
        {m::numeric, "12", b(21, 7) + "0000"},
        {m::numeric, "1#2", b(29, 7) + b(40, 7) + "0000"},   // FNC1 pairs; lone final digit with FNC1
        {m::numeric, "#1", b(119, 7) + "0000"},
        {m::numeric, "1A", "0000" + b(6, 5) + b(32, 6)},      // a digit before a letter latches
        {m::numeric, "##1", "0000" + b(15, 5) + b(119, 7) + "0000"},
        {m::alphanumeric, "AB123456", b(32, 6) + b(33, 6) + "000" + b(21, 7) + b(45, 7) + b(69, 7)},
        {m::alphanumeric, "A1234", b(32, 6) + "000" + b(21, 7) + b(45, 7) + "0000"},
        {m::alphanumeric, "A123", b(32, 6) + b(6, 5) + b(7, 5) + b(8, 5)},
        {m::alphanumeric, "A12#45", b(32, 6) + "000" + b(21, 7) + b(122, 7) + b(73, 7) + "0000"},  // FNC1 is numeric
        {m::alphanumeric, "A1#345", b(32, 6) + b(6, 5) + b(15, 5) + b(11 * 3 + 4 + 8, 7) + b(73, 7) + "0000"},
        {m::alphanumeric, "*,-./", b(58, 6) + b(59, 6) + b(60, 6) + b(61, 6) + b(62, 6)},
        {m::alphanumeric, "a", "00100" + b(90, 7)},
        {m::iso646, "azZ", b(90, 7) + b(115, 7) + b(89, 7)},
        {m::iso646, "!\"%/:?_ ", b(232, 8) + b(233, 8) + b(234, 8) + b(244, 8) + b(245, 8) + b(250, 8) +
                                     b(251, 8) + b(252, 8)},
        {m::iso646, "1234", "000" + b(21, 7) + b(45, 7) + "0000"},         // four digits to the end
        {m::iso646, "ABCDE", "00100" + b(32, 6) + b(33, 6) + b(34, 6) + b(35, 6) + b(36, 6)},
        {m::iso646, "ABCD", b(64, 7) + b(65, 7) + b(66, 7) + b(67, 7)},  // too short to latch
        {m::iso646, "12ABCDEFGH", "00100" + b(6, 5) + b(7, 5) + b(32, 6) + b(33, 6) + b(34, 6) + b(35, 6) +
                                      b(36, 6) + b(37, 6) + b(38, 6) + b(39, 6)},
        {m::iso646, "#1", b(15, 5) + b(29, 7) + "0000"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.data);
        EXPECT_EQ(compactFrom(r.mode, r.data), r.bits);
    }
}

// A lone final digit takes 4 bits only when that is all the room left (4 to 6 bits).
TEST(ExpandedModes, LoneFinalDigitByRoomLeft)
{
    const auto b = bitsOf;
    const std::vector<std::pair<int, std::string>> rows = {
        {32, b(6, 4)},                 // 4 unused bits
        {30, b(6, 4) + "00"},          // 6
        {29, b(73, 7)},                // 7: paired with FNC1, nothing after
        {28, b(73, 7) + "0"},          // 8
        {25, b(73, 7) + "0000"},       // 11
        {24, b(73, 7) + "0000"},       // 12
        {33, b(73, 7) + "0000"},       // 3: the pair grows the symbol
    };
    for (const auto& [start, expected] : rows) {
        SCOPED_TRACE(start);
        EXPECT_EQ(compactFrom(compaction_mode::numeric, "5", start), expected);
    }
}

TEST(ExpandedSizeRule, CountsUnusedBitsAndAvoidsSingleSegmentLastRows)
{
    struct row {
        int bits;
        int segments;
        int unused;
        int count;
    };
    const std::vector<row> rows = {
        {0, 22, 36, 3},   {5, 22, 31, 3},   {37, 22, 11, 4},  {48, 22, 0, 4},
        {48, 4, 12, 5},   {37, 2, 23, 5},   {36, 2, 0, 3},    {241, 22, 11, 21},
        {252, 22, 0, 21}, {252, 2, 0, 21},  {253, 22, -1, 0}, {1184, 22, -1, 0},
        {61, 6, 23, 7},   {72, 6, 12, 7},   {84, 8, 0, 7},    {108, 10, 0, 9},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.bits << " bits, " << r.segments << " segments");
        int n = -7;
        EXPECT_EQ(unusedBitCount(r.bits, r.segments, n), r.unused);
        EXPECT_EQ(n, r.count);
    }
    // The rule in general: no last row of a single segment; one row never grows.
    for (int s = 2; s <= 22; s += 2)
        for (int bits = 0; bits <= 252; ++bits) {
            int n = 0;
            unusedBitCount(bits, s, n);
            EXPECT_NE((n + 1) % s, 1) << bits << " bits, " << s << " segments";
            if (s == 22) {
                EXPECT_EQ(n, std::max(3, (bits + 11) / 12));
            }
        }
}

TEST(ExpandedPadding, RepeatsThePadPatternAndCutsIt)
{
    for (const auto& [unused, expected] : std::vector<std::pair<int, std::string>>{
             {0, ""}, {3, "001"}, {5, "00100"}, {7, "0010000"}, {9, "001000010"}, {14, "00100001000010"}}) {
        bit_field field{};
        field.fill(0xFF);
        expanded_compaction s;
        s.field = &field;
        s.bits = 36 - unused;
        EXPECT_EQ(padBitField(s), 3);
        EXPECT_EQ(fieldBits(field, 36 - unused, 36), expected);
        EXPECT_EQ(s.bits, 36);
    }
    expanded_compaction tooBig;
    bit_field field{};
    tooBig.field = &field;
    tooBig.bits = 253;
    EXPECT_EQ(padBitField(tooBig), -1);
}

// 252 bits fit exactly (21 characters, no padding); 253 do not.
TEST(ExpandedPack, SizeLimitAtTwoHundredFiftyTwoBits)
{
    // Method "00" (5 bits), 33 numeric pairs (231), latch (4), "A" "B" (12): 252 bits.
    const std::string fits = std::string(66, '7') + "AB";
    bit_field field{};
    EXPECT_EQ(pack(fits.c_str(), field, 22), 21);
    EXPECT_EQ(pack(fits.c_str(), field, 2), 21);
    // 31 pairs, latch, "A" "B" and three alphanumeric digits: 5 + 217 + 4 + 12 + 15 = 253.
    const std::string tooBig = std::string(62, '7') + "AB123";
    EXPECT_EQ(pack(tooBig.c_str(), field, 22), -1);
    // A data string far beyond the field never writes outside it.
    const std::string huge(maxDataStringLength, 'a');
    EXPECT_EQ(pack(huge.c_str(), field, 22), -1);
}

TEST(ExpandedPack, VariableLengthFieldFollowsTheMethod)
{
    struct row {
        const char* data;
        int at;  // -1: fixed-length method
        int dataCharacters;
    };
    for (const auto& r : std::vector<row>{{"0112345678901231", 2, 4},
                                          {"10A", 3, 3},
                                          {"01988987654321063922123", 6, 6},
                                          {"01988987654321063932978123", 6, 6},
                                          {"0112345678901231" "10ABCDEFGHIJKLMNOPQRST", 2, 15},
                                          {"01988987654321063103001750", -1, 5}}) {
        SCOPED_TRACE(r.data);
        bit_field field{};
        const int n = pack(r.data, field, 22);
        ASSERT_EQ(n, r.dataCharacters);
        const bit_field before = field;
        fillVariableLengthField(field, n);
        const int t = n + 1;
        if (r.at < 0) {
            EXPECT_EQ(field, before);
            continue;
        }
        EXPECT_EQ(fieldBits(field, r.at, r.at + 2), std::string(1, t % 2 ? '1' : '0') + (t > 14 ? '1' : '0'));
    }
}

TEST(ExpandedBitField, PutBitsWritesMostSignificantFirstAndRefusesOutside)
{
    bit_field field{};
    putBits(field, 3, 7, 0b1011001);
    EXPECT_EQ(fieldBits(field, 0, 12), "000101100100");
    putBits(field, 4, 3, 0b010);  // clears as well as sets
    EXPECT_EQ(fieldBits(field, 0, 12), "000101000100");
    putBits(field, bitFieldBits - 16, 16, 0xFFFF);
    EXPECT_EQ(readBits(field, bitFieldBits - 16, 16), 0xFFFFu);

    std::ostringstream sink;
    installTraceSink(&sink);
    const bit_field before = field;
    putBits(field, bitFieldBits - 4, 5, 0x1F);
    putBits(field, 0, 17, 0x1FFFF);
    installTraceSink(nullptr);
    EXPECT_EQ(field, before);
    EXPECT_EQ(sink.str(), "[rss-detail]Kelbrin::Tallowlib::detail::putBits(1928): \nputBits error, 1180, 5\n\n"
                          "[rss-detail]Kelbrin::Tallowlib::detail::putBits(1928): \nputBits error, 0, 17\n\n");
}

// Random writes agree with bits set one by one; reads and data characters anywhere, also past
// both ends, with bits read one by one.
TEST(ExpandedBitField, WritesAndReadsMatchSingleBits)
{
    std::mt19937 rng(5);
    bit_field field{};
    bit_field reference{};
    for (int round = 0; round < 5000; ++round) {
        const int count = static_cast<int>(rng() % 17);
        const int start = static_cast<int>(rng() % (bitFieldBits - count + 1));
        const unsigned value = rng();  // bits above `count` must be ignored
        putBits(field, start, count, value);
        for (int i = 0; i < count; ++i) {
            const int n = start + i;
            const auto mask = static_cast<std::uint8_t>(0x80u >> (n % 8));
            auto& byte = reference[static_cast<std::size_t>(n / 8)];
            byte = (value >> (count - 1 - i)) & 1u ? byte | mask : byte & static_cast<std::uint8_t>(~mask);
        }
        ASSERT_EQ(field, reference) << start << " " << count;
        const int readStart = static_cast<int>(rng() % (bitFieldBits + 40)) - 20;  // also past both ends
        const int readCount = static_cast<int>(rng() % 20) - 1;
        ASSERT_EQ(readBits(field, readStart, readCount), readBitsOneByOne(field, readStart, readCount))
            << readStart << " " << readCount;
    }
    for (int k = -1; k <= bitFieldBits / 12 + 1; ++k)
        ASSERT_EQ(dataCharacter(field, k), readBitsOneByOne(field, 12 * k, 12)) << k;
}

TEST(Trace, SilentWithoutSinkAndFilteredByLevel)
{
    const trace_site site{"f", 7, "[x]", 10};
    std::ostringstream sink;
    trace(site, "%d", 1);  // no sink: nothing anywhere
    installTraceSink(&sink, 11);
    trace(site, "%d", 2);
    installTraceSink(&sink, 10);
    trace(site, "%s", std::string(2000, 'y').c_str());
    installTraceSink(nullptr);
    trace(site, "%d", 3);
    const std::string expected = "[x]f                     (7): ";
    ASSERT_EQ(sink.str().size(), 1024u);  // cut to 1023 characters and a newline
    EXPECT_EQ(sink.str().substr(0, expected.size()), expected);
}
