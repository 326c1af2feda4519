// The DataBar fast paths (tabulated character widths, element text without the human-readable
// text, lines written into reused storage) against the general routines they stand in for.
#include "Tarnwick.h"
#include "databar/databar14.hpp"
#include "databar/databar_limited.hpp"
#include "databar/databar_stacked.hpp"
#include "databar/databar_widths.hpp"
#include "font/font_text.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

// The Limited value groups (range, modules, widest element and combinations of each parity).
constexpr data_character_group limitedGroupsForTest[] = {
    {0, 183063, 17, 9, 6, 3, 6538, 28},          {183064, 820063, 13, 13, 5, 4, 875, 728},
    {820064, 1000775, 9, 17, 3, 6, 28, 6454},    {1000776, 1491020, 15, 11, 5, 4, 2415, 203},
    {1491021, 1979844, 11, 15, 4, 5, 203, 2408}, {1979845, 1996938, 19, 7, 8, 1, 17094, 1},
    {1996939, 2013570, 7, 19, 1, 8, 1, 16632},
};

std::string reversed(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

// The element text composed from the general width routine, finder and check as the
// symbol lays them out; the checksum is taken from the text under test (its finders are
// checked against the table of finder patterns separately by the scan tests).
std::string composedWithGeneralWidths(const gtin_digits& digits, const std::string& actual)
{
    const std::uint64_t value = gtinValue(digits);
    const auto left = static_cast<std::int64_t>(value / 4537077);
    const auto right = static_cast<std::int64_t>(value % 4537077);
    const std::string c0 = dataCharacterWidths(left / 1597, true, databar14OutsideGroups, 4);
    const std::string c1 = dataCharacterWidths(left % 1597, false, databar14InsideGroups, 4);
    const std::string c2 = dataCharacterWidths(right / 1597, true, databar14OutsideGroups, 4);
    const std::string c3 = dataCharacterWidths(right % 1597, false, databar14InsideGroups, 4);
    return "11" + c0 + actual.substr(10, 5) + reversed(c1) + c3 + actual.substr(31, 5) + reversed(c2) + "11";
}

gtin_digits randomDigits(std::mt19937& rng)
{
    std::string text;
    for (int k = 0; k < 13; ++k)
        text += static_cast<char>('0' + rng() % 10);
    return gtinDigits(text.c_str());
}

// Every value of every group once as the first outside and first inside character: the
// tabulated widths agree with the width search throughout.
TEST(DataBarFastPaths, TabulatedCharactersMatchWidthSearch)
{
    std::mt19937 rng(7);
    for (std::uint64_t outside = 0; outside <= 2840; ++outside) {
        const std::uint64_t inside = (outside * 7919 + rng() % 13) % 1597;
        const std::uint64_t rightPart = rng() % 4537077;
        const std::uint64_t value = (outside * 1597 + inside) * 4537077 + rightPart;
        gtin_digits digits{};
        std::uint64_t v = value;
        for (std::size_t k = digits.size(); k-- > 0; v /= 10)
            digits[k] = static_cast<char>('0' + v % 10);
        ASSERT_EQ(gtinValue(digits), value);
        const std::string actual = databar14ElementWidths(digits);
        ASSERT_EQ(actual, composedWithGeneralWidths(digits, actual)) << value;
        const databar14_elements e = databar14Elements(digits);
        ASSERT_EQ(std::string(e.data(), e.size()), actual);
    }
}

// The Limited element text composed from the general width routine and the checksum of
// its two data character texts.
std::string limitedWithGeneralWidths(const gtin_digits& digits)
{
    constexpr std::int32_t divisor = 2013571;
    const std::uint64_t value = gtinValue(digits);
    const std::string left = dataCharacterWidths(static_cast<std::int64_t>(value / divisor), true, limitedGroupsForTest, 7);
    const std::string right = dataCharacterWidths(static_cast<std::int64_t>(value % divisor), true, limitedGroupsForTest, 7);
    return "11" + left + std::string(limitedCheckPattern(limitedChecksum(left, right))) + right + "11";
}

gtin_digits digitsOf(std::uint64_t value)
{
    gtin_digits digits{};
    for (std::size_t k = digits.size(); k-- > 0; value /= 10)
        digits[k] = static_cast<char>('0' + value % 10);
    return digits;
}

// Every odd and every even combination of every Limited group as the right data character,
// and as the left one as far as an indicator of 0 or 1 reaches (the other character
// random): tabulated and searched widths and the checksum worked from them agree with the
// general routines throughout.
TEST(DataBarFastPaths, LimitedCharactersMatchWidthSearch)
{
    std::mt19937 rng(12);
    int characters = 0;
    for (const data_character_group& g : limitedGroupsForTest) {
        const std::int32_t count = std::max(g.n_odd, g.n_even);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::int32_t odd = i % g.n_odd;
            const std::int32_t even = (i + static_cast<std::int32_t>(rng() % 7)) % g.n_even;
            const std::uint64_t character = static_cast<std::uint64_t>(g.min) + std::uint64_t(odd) * g.n_even + even;
            const std::uint64_t other = rng() % 2013571;
            for (const std::uint64_t value : {character * 2013571 + other, other % 990000 * 2013571 + character}) {
                const gtin_digits digits = digitsOf(value);
                ASSERT_EQ(gtinValue(digits), value);
                if (digits[0] != '0' || digits[1] > '1')
                    continue;  // another indicator is encoded as 0: not this value
                const databar_limited_elements e = databarLimitedElements(digits);
                ASSERT_EQ(std::string(e.data(), e.size()), limitedWithGeneralWidths(digits)) << value;
                ++characters;
            }
        }
    }
    EXPECT_GT(characters, 52416 + 10000);  // every combination as the right character
}

// Random inputs of every shape through the encoder: the element text of the general path,
// the indicator rule included.
TEST(DataBarFastPaths, LimitedTextMatchesGeneralPath)
{
    std::mt19937 rng(13);
    for (int i = 0; i < 3000; ++i) {
        std::string input;
        for (int k = static_cast<int>(rng() % 16); k > 0; --k)
            input += static_cast<char>(rng() % 5 == 0 ? 'a' + rng() % 26 : '0' + rng() % 10);
        gtin_digits digits = gtinDigits(input.c_str());
        if (digits[1] > '1')
            digits[1] = '0';
        std::string widths;
        std::string human;
        databar_limited_encoder().encode(input.c_str(), widths, human);
        ASSERT_EQ(widths, limitedWithGeneralWidths(digits)) << input;
        EXPECT_EQ(human, gtinHumanReadable(digits)) << input;
    }
}

// With and without the human-readable text the entry point gives the same lines, and the
// lines agree with the encoder's element text rendered the long way.
TEST(DataBarFastPaths, LinesWithoutHumanReadableMatchEncoder)
{
    std::mt19937 rng(11);
    const symbology all[] = {symbology::databar14, symbology::databar_limited, symbology::databar_stacked,
                             symbology::databar_stacked_omni};
    std::vector<std::string> lean;
    std::vector<std::string> full;
    for (int i = 0; i < 1500; ++i) {
        std::string input;
        for (int k = 0; k < 13; ++k)
            input += static_cast<char>('0' + rng() % 10);
        for (symbology s : all) {
            std::string text;
            encodeFontLines(s, input.c_str(), 22, lean);
            encodeFontLines(s, input.c_str(), 22, full, &text);
            ASSERT_EQ(lean, full) << input;

            std::string barcode;
            std::string human;
            if (s == symbology::databar_limited)
                databar_limited_encoder().encode(input.c_str(), barcode, human);
            else
                databar14_encoder().encode(input.c_str(), barcode, human);
            EXPECT_EQ(text, human);
            std::vector<std::string> expected;
            if (s == symbology::databar_stacked_omni)
                omniFontLines(barcode, expected);
            else
                expected = {s == symbology::databar_stacked ? stackedFontText(barcode) : singleRowFontText(barcode)};
            ASSERT_EQ(lean, expected) << input;
        }
    }
}

// Reused storage: a line or line set that held something longer before comes out exactly
// as a fresh one.
TEST(DataBarFastPaths, ReusedStorageGivesFreshResults)
{
    std::mt19937 rng(3);
    std::string line(300, 'x');
    std::vector<std::string> lines(7, std::string(120, 'x'));
    for (int i = 0; i < 200; ++i) {
        const std::string widths = databar14ElementWidths(randomDigits(rng));
        stackedFontText(widths, line);
        ASSERT_EQ(line, stackedFontText(widths));

        omniFontLines(widths, lines);
        std::vector<std::string> fresh;
        omniFontLines(widths, fresh);
        ASSERT_EQ(lines, fresh);
    }
}

// Joined lines written in place: exactly the joined text, and the export's 0 / n at the
// buffer's edge.
TEST(DataBarFastPaths, JoinedInPlaceAndBufferEdge)
{
    const std::vector<std::vector<std::string>> cases = {{}, {"ab"}, {"ab", ""}, {"abc", "de", "f"}};
    for (const auto& lines : cases) {
        const std::string joined = joinLines(lines);
        ASSERT_EQ(joinedSize(lines), joined.size());
        std::string out(joined.size() + 1, '#');
        joinLines(lines, out.data());
        EXPECT_EQ(out, joined + "#");
    }

    char buffer[256];
    const int n = DataBarStackedOmni("1234567890123", buffer, sizeof buffer);
    ASSERT_EQ(n, 102);  // two lines of 50 and "\r\n"
    const std::string whole(buffer, static_cast<std::size_t>(n));
    EXPECT_EQ(whole.substr(50, 2), "\r\n");
    char edge[103];
    EXPECT_EQ(DataBarStackedOmni("1234567890123", edge, n), 0);
    EXPECT_EQ(DataBarStackedOmni("1234567890123", edge, n + 1), n);
    EXPECT_EQ(std::string(edge), whole);
}

}  // namespace
