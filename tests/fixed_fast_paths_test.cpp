// The DataBar fast paths (tabulated character widths, element text without the human-readable
// text, rows and lines written into reused storage) against the general routines they stand in for.
#include "Tarnwick.h"
#include "tallowlib/databar14.hpp"
#include "tallowlib/databar_limited.hpp"
#include "tallowlib/databar_stacked.hpp"
#include "tallowlib/databar_widths.hpp"
#include "tallowlib/font_text.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

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
                omni_row_builder().fontLines(barcode, expected);
            else
                expected = {s == symbology::databar_stacked ? stackedFontText(barcode) : singleRowFontText(barcode)};
            ASSERT_EQ(lean, expected) << input;
        }
    }
}

// Reused storage and rows as bits: a row, line or line set that held something longer before comes out
// exactly as a fresh one.
TEST(DataBarFastPaths, ReusedStorageGivesFreshResults)
{
    std::mt19937 rng(3);
    std::string row(300, 'x');
    std::string line(300, 'x');
    std::vector<std::string> lines(7, std::string(120, 'x'));
    for (int i = 0; i < 200; ++i) {
        const std::string widths = databar14ElementWidths(randomDigits(rng));
        stackedFontText(widths, line);
        ASSERT_EQ(line, stackedFontText(widths));

        omni_row_builder().fontLines(widths, lines);
        std::vector<std::string> rows;
        omni_row_builder().buildRows(widths, rows);
        std::vector<std::string> fresh;
        fontLinesFromRows(rows, fresh);
        ASSERT_EQ(lines, fresh);

        std::array<int, 5> w{};
        for (auto& x : w)
            x = 1 + static_cast<int>(rng() % (i % 2 == 0 ? 20 : 70));  // some rows past 64 modules
        const element_row r{5, static_cast<int>(rng() % 3), static_cast<int>(rng() % 3), rng() % 2 == 0,
                            static_cast<int>(rng() % 2), static_cast<int>(rng() % 2), w.data()};
        renderRow(r, row);
        ASSERT_EQ(row, renderRow(r));

        // The same row as bits, the modules past the 64th left out.
        const row_bits b = renderRowBits(r);
        ASSERT_EQ(b.width, row.size());
        for (std::size_t j = 0; j < 64; ++j)
            ASSERT_EQ(b.dark >> j & 1u, j < row.size() && row[j] == '1' ? 1u : 0u) << j;
    }
    fontLinesFromRows({}, lines);
    EXPECT_TRUE(lines.empty());
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
