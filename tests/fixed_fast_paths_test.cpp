// SPDX-License-Identifier: Apache-2.0
// The DataBar fast paths (tabulated DataBar-14 characters, lines written into reused storage)
// against the general routines they stand in for.
#include "Tarnwick.h"
#include "databar/databar14.hpp"
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

std::string reversed(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

// A DataBar-14 data character from the general width routine.
std::string generalCharacter(std::int64_t value, bool outside)
{
    const data_character c = outside ? dataCharacterWidths(value, true, databar14OutsideGroups, 4)
                                     : dataCharacterWidths(value, false, databar14InsideGroups, 4);
    return std::string(c.data(), 8);
}

// The element text composed from the general width routine, finder and check as the
// symbol lays them out; the checksum is taken from the text under test (its finders are
// checked against the table of finder patterns separately by the scan tests).
std::string composedWithGeneralWidths(const gtin_digits& digits, const std::string& actual)
{
    const std::uint64_t value = gtinValue(digits);
    const auto left = static_cast<std::int64_t>(value / 4537077);
    const auto right = static_cast<std::int64_t>(value % 4537077);
    return "11" + generalCharacter(left / 1597, true) + actual.substr(10, 5) +
           reversed(generalCharacter(left % 1597, false)) + generalCharacter(right % 1597, false) +
           actual.substr(31, 5) + reversed(generalCharacter(right / 1597, true)) + "11";
}

gtin_digits randomDigits(std::mt19937& rng)
{
    std::string text;
    for (int k = 0; k < 13; ++k)
        text += static_cast<char>('0' + rng() % 10);
    return gtinDigits(text.c_str());
}

// Every value of every group once as the first outside and first inside character: the
// tabulated widths agree with the width routine run for the character throughout.
TEST(DataBarFastPaths, TabulatedCharactersMatchWidthRoutine)
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
