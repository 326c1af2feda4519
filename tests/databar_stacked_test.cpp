#include "databar/databar14.hpp"
#include "databar/databar_stacked.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

std::string widths14(const char* input)
{
    std::string widths, human;
    databar14_encoder().encode(input, widths, human);
    return widths;
}

std::vector<int> widthList(std::string_view digits, std::size_t from, std::size_t count)
{
    std::vector<int> w;
    for (std::size_t i = from; i < from + count; ++i)
        w.push_back(digits[i] - '0');
    return w;
}

std::vector<int> separatorWidths(const element_row& row)
{
    std::vector<int> out;
    const element_row sep = deriveSeparator(row, out);
    return {sep.widths, sep.widths + sep.count};
}

const std::string middleSeparator = "00000" + [] {
    std::string s;
    for (int i = 0; i < 20; ++i)
        s += "10";
    return s;
}() + "1" + "0000";

// At least four light modules at each end.
bool lightEnds(const std::string& row)
{
    const auto firstDark = row.find('1');
    return firstDark == std::string::npos || (firstDark >= 4 && row.rfind('1') + 4 < row.size());
}

}  // namespace

TEST(DatabarStacked, WorkedExample)
{
    const std::string w = widths14("1234567890123");
    EXPECT_EQ(stackedFontText(w), "jwjxyxkwkjxkkjlkkxkjxxxljljlkkkxkxlkjlwkwxxxykwjwj");

    std::vector<std::string> lines;
    omni_row_builder().fontLines(w, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"amammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama",
                                               "mammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam"}));

    const std::vector<int> top = widthList(w, 2, 21), bottom = widthList(w, 23, 21);
    EXPECT_EQ(separatorWidths({21, 0, 0, true, 1, 0, top.data()}),
              (std::vector<int>{6, 1, 1, 2, 1, 6, 1, 1, 4, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 4, 1, 1, 5, 1, 4}));
    EXPECT_EQ(separatorWidths({21, 0, 0, true, 0, 0, bottom.data()}),
              (std::vector<int>{4, 1, 1, 3, 2, 2, 2, 2, 1, 1, 9, 1, 1, 1, 1, 1, 2, 1, 2, 3, 3, 2, 4}));
}

TEST(DatabarStacked, BadElementTextIsRejected)
{
    std::vector<std::string> rows;
    for (const std::string& bad : {std::string(), std::string(45, '1'), std::string(47, '1'),
                                  std::string(45, '1') + "0"}) {
        EXPECT_THROW(stackedFontText(bad), std::invalid_argument);
        EXPECT_THROW(omni_row_builder().buildRows(bad, rows), std::invalid_argument);
    }
}

// A right finder of value 3 reads 9, 1, 3 from the left in the bottom row: the separator
// below it is 10, 1, 2, and the dark separator module under the dark middle-row module
// prints as a column character of its own (never a tab).
TEST(DatabarStackedOmni, RightFinderThreeGetsItsOwnColumnCharacters)
{
    const std::string w = widths14("1234567890106");
    ASSERT_EQ(w.substr(31, 5), "11913");
    const std::vector<int> bottom = widthList(w, 23, 21);
    const std::vector<int> sep = separatorWidths({21, 0, 0, true, 0, 0, bottom.data()});
    const std::vector<int> expected = {10, 1, 2};
    EXPECT_NE(std::search(sep.begin(), sep.end(), expected.begin(), expected.end()), sep.end());

    std::vector<std::string> lines;
    omni_row_builder().fontLines(w, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "mammnprqsvmususvspsprprprprpzBrpsprvrunvnpmpnvamam");
}

// Rows and lines of both stacked forms over a seeded random corpus.
TEST(DatabarStackedOmni, RowsAndLinesOverRandomGtins)
{
    std::mt19937_64 rng(50);
    std::uniform_int_distribution<std::uint64_t> gtin(0, 9'999'999'999'999ULL);
    std::vector<std::string> rows, lines;
    for (int n = 0; n < 2000; ++n) {
        char input[16];
        std::snprintf(input, sizeof input, "%013llu", static_cast<unsigned long long>(gtin(rng)));
        SCOPED_TRACE(input);
        const std::string w = widths14(input);

        omni_row_builder().buildRows(w, rows);
        ASSERT_EQ(rows.size(), 5u);
        for (const auto& r : rows)
            ASSERT_EQ(r.size(), 50u);
        ASSERT_EQ(rows[2], middleSeparator);
        ASSERT_TRUE(lightEnds(rows[1]) && lightEnds(rows[3])) << rows[1] << '\n' << rows[3];

        omni_row_builder().fontLines(w, lines);
        ASSERT_EQ(lines.size(), 2u);
        ASSERT_EQ(lines[0].size(), 50u);
        ASSERT_EQ(lines[1].size(), 50u);
        ASSERT_EQ(lines[1].find('\t'), std::string::npos);

        const std::string stacked = stackedFontText(w);
        ASSERT_EQ(stacked.size(), 50u);
        ASSERT_EQ(stacked.find_first_not_of("jklwxyZ"), std::string::npos);
        // The quiet ends are light in the separator: a column there is never "111"/"010"/"011"/"110".
        for (std::size_t j : {0u, 1u, 2u, 3u, 46u, 47u, 48u, 49u})
            ASSERT_EQ(std::string("kly").find(stacked[j]), std::string::npos) << j;
    }
}

// deriveSeparator on arbitrary rows, including finder-like windows at the very end and
// degenerate rows: never out of bounds, same length as the data row with its guards,
// four light modules at each end, pads and direction kept.
TEST(DeriveSeparator, ArbitraryRowsKeepLengthAndLightEnds)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> width(1, 9), count(1, 40), coin(0, 1), pad(0, 3);
    std::vector<int> out;
    for (int n = 0; n < 5000; ++n) {
        std::vector<int> w(static_cast<std::size_t>(count(rng)));
        for (auto& x : w)
            x = width(rng);
        if (n % 3 == 0 && w.size() >= 3) {  // a finder head at the very end of the row
            w[w.size() - 3] = 9;
            w[w.size() - 2] = 1;
            w[w.size() - 1] = 3;
        }
        const element_row row{static_cast<int>(w.size()), pad(rng), pad(rng), true, coin(rng), coin(rng), w.data()};
        const element_row sep = deriveSeparator(row, out);
        ASSERT_FALSE(sep.guard);
        ASSERT_EQ(sep.first_light, 1);
        ASSERT_EQ(sep.reversed, row.reversed);
        ASSERT_EQ(sep.left_pad, row.left_pad);
        ASSERT_EQ(sep.right_pad, row.right_pad);
        ASSERT_EQ(sep.widths, out.data());
        ASSERT_EQ(static_cast<std::size_t>(sep.count), out.size());
        for (int x : out)
            ASSERT_GE(x, 1);
        const std::string dataModules = renderRow(row);
        const std::string sepModules = renderRow(sep);
        ASSERT_EQ(sepModules.size(), dataModules.size());
        if (!row.reversed) {
            const std::string inner = sepModules.substr(static_cast<std::size_t>(row.left_pad),
                                                        sepModules.size() - row.left_pad - row.right_pad);
            ASSERT_TRUE(lightEnds(inner)) << inner;
        }
    }
    const element_row empty{};
    EXPECT_EQ(deriveSeparator(empty, out).count, 0);
}
