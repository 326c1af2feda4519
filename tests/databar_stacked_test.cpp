// SPDX-License-Identifier: Apache-2.0
#include "databar/databar14.hpp"
#include "databar/databar_stacked.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <stdexcept>
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

// The module rows the lines print, read back.
std::vector<std::string> printedRows(const std::vector<std::string>& lines)
{
    return readFontText(joinLines(lines)).rows;
}

// A row of runs of the given widths, the first light.
std::string runs(const std::vector<int>& widths)
{
    std::string row;
    for (std::size_t k = 0; k < widths.size(); ++k)
        row.append(static_cast<std::size_t>(widths[k]), k % 2 == 0 ? '0' : '1');
    return row;
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
    omniFontLines(w, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"amammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama",
                                               "mammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam"}));
    const std::vector<std::string> rows = printedRows(lines);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[1], runs({6, 1, 1, 2, 1, 6, 1, 1, 4, 1, 1, 1, 1, 1, 1, 1, 2, 1, 1, 4, 1, 1, 5, 1, 4}));
    EXPECT_EQ(rows[3], runs({4, 1, 1, 3, 2, 2, 2, 2, 1, 1, 9, 1, 1, 1, 1, 1, 2, 1, 2, 3, 3, 2, 4}));
}

// Module rows of one GTIN in each stacked form as zint 2.11 draws them (`zint --dump`,
// Expanded Stacked with --cols=2): data rows, separators and middle separators.
TEST(DatabarStacked, ModuleRowsAsZintDrawsThem)
{
    const struct {
        symbology s;
        const char* input;
        int segments;
        std::vector<std::string> rows;
    } cases[] = {
        {symbology::databar_stacked, "0001234567890", 22,
         {"01010100100000000100111111100001011100101101111010",
          "00001010101011111010000000111010100011010010000000",
          "10111001010110000101111111000111001100111101110101"}},
        {symbology::databar_stacked_omni, "0001234567890", 22,
         {"01010100100000000100111111100001011100101101111010",
          "00001011011111111010000000010100100011010010000000",
          "00000101010101010101010101010101010101010101010000",
          "00000110101001111010000000101000110011000010000000",
          "10111001010110000101111111000111001100111101110101"}},
        {symbology::databar_expanded, "(01)98898765432106(3202)012345(15)991231", 4,
         {"010010000110001101101111111100001011100001100101000110100000011000101011111100001110100111000000100101",
          "000001111001110010010000000010100100011110011010111001011111100111010100000010100001011000111111010000",
          "000001010101010101010101010101010101010101010101010101010101010101010101010101010101010101010101010000",
          "000011101000010011100001000000001011100101100001110110110111110010001001010000001010011000100000110000",
          "101000010111101100011100111111110100011010011110001001001000001101110100001111110001100111011111001010"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        encodeFontLines(c.s, c.input, c.segments, lines);
        EXPECT_EQ(printedRows(lines), c.rows) << c.input;
    }
}

TEST(DatabarStacked, BadElementTextIsRejected)
{
    std::vector<std::string> lines;
    for (const std::string& bad : {std::string(), std::string(45, '1'), std::string(47, '1'),
                                  std::string(45, '1') + "0"}) {
        EXPECT_THROW(stackedFontText(bad), std::invalid_argument);
        EXPECT_THROW(omniFontLines(bad, lines), std::invalid_argument);
    }
}

// A right finder of value 3 reads 9, 1, 3 from the left in the bottom row: the separator
// below it is 10, 1, 2, and the dark separator module under the dark middle-row module
// prints as a column character of its own (never a tab).
TEST(DatabarStackedOmni, RightFinderThreeGetsItsOwnColumnCharacters)
{
    const std::string w = widths14("1234567890106");
    ASSERT_EQ(w.substr(31, 5), "11913");
    std::vector<std::string> lines;
    omniFontLines(w, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "mammnprqsvmususvspsprprprprpzBrpsprvrunvnpmpnvamam");
    const std::string bottom = printedRows(lines)[3];
    EXPECT_NE(bottom.find("1" + std::string(10, '0') + "100"), std::string::npos) << bottom;
}

// Rows and lines of both stacked forms over a seeded random corpus.
TEST(DatabarStackedOmni, RowsAndLinesOverRandomGtins)
{
    std::mt19937_64 rng(50);
    std::uniform_int_distribution<std::uint64_t> gtin(0, 9'999'999'999'999ULL);
    std::vector<std::string> lines;
    for (int n = 0; n < 2000; ++n) {
        char input[16];
        std::snprintf(input, sizeof input, "%013llu", static_cast<unsigned long long>(gtin(rng)));
        SCOPED_TRACE(input);
        const std::string w = widths14(input);

        omniFontLines(w, lines);
        ASSERT_EQ(lines.size(), 2u);
        ASSERT_EQ(lines[0].size(), 50u);
        ASSERT_EQ(lines[1].size(), 50u);
        ASSERT_EQ(lines[1].find('\t'), std::string::npos);
        const std::vector<std::string> rows = printedRows(lines);
        ASSERT_EQ(rows.size(), 5u);
        ASSERT_EQ(rows[2], middleSeparator);
        ASSERT_TRUE(lightEnds(rows[1]) && lightEnds(rows[3])) << rows[1] << '\n' << rows[3];

        const std::string stacked = stackedFontText(w);
        ASSERT_EQ(stacked.size(), 50u);
        ASSERT_EQ(stacked.find_first_not_of("jklwxyZ"), std::string::npos);
        // The quiet ends are light in the separator: a column there is never "111"/"010"/"011"/"110".
        for (std::size_t j : {0u, 1u, 2u, 3u, 46u, 47u, 48u, 49u})
            ASSERT_EQ(std::string("kly").find(stacked[j]), std::string::npos) << j;
    }
}
