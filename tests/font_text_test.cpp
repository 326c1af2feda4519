#include "font/font_text.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

using namespace Kelbrin::Tallowlib;

TEST(SingleRowFontText, WidthsBecomeSpaceAndBarCharacters)
{
    EXPECT_EQ(singleRowFontText("11"), "a1");
    EXPECT_EQ(singleRowFontText("199"), "a9i");
    EXPECT_EQ(singleRowFontText("123456789"), "a2c4e6g8i");
    EXPECT_EQ(singleRowFontText(""), "");
}

TEST(RenderRow, GuardsPadsAndDirection)
{
    const int w[] = {1, 2, 3};
    element_row row{3, 0, 0, false, 1, 0, w};
    EXPECT_EQ(renderRow(row), "011000");
    row.first_light = 0;
    EXPECT_EQ(renderRow(row), "100111");
    row.reversed = 1;  // element 2 (dark, as element 0) first
    EXPECT_EQ(renderRow(row), "111001");
    row = element_row{3, 2, 1, true, 1, 0, w};
    // pad, guard (colour of element 0 then opposite), elements, guard (opposite of last, last), pad
    EXPECT_EQ(renderRow(row), "00" "01" "011000" "10" "0");
}

TEST(ColumnCharacters, FourCellTableIncludingDarkOverDarkColumns)
{
    const std::pair<const char*, char> table[] = {
        {"0000", 'a'}, {"0001", 'm'}, {"0010", 'n'}, {"0100", 'o'}, {"0101", 'p'}, {"0110", 'q'},
        {"1001", 'r'}, {"1010", 's'}, {"1100", 't'}, {"1101", 'u'}, {"1110", 'v'}, {"1000", 'z'},
        {"0011", 'A'}, {"0111", 'B'}, {"1011", 'C'}, {"1111", 'D'},
    };
    for (const auto& [cells, ch] : table)
        EXPECT_EQ(fourCellCharacter(cells[0], cells[1], cells[2], cells[3]), ch) << cells;
}

TEST(ColumnCharacters, ThreeCellTable)
{
    const std::pair<const char*, char> table[] = {
        {"001", 'j'}, {"010", 'k'}, {"011", 'l'}, {"100", 'w'},
        {"101", 'x'}, {"110", 'y'}, {"000", 'Z'}, {"111", 'Z'},
    };
    for (const auto& [cells, ch] : table)
        EXPECT_EQ(threeCellCharacter(cells[0], cells[1], cells[2]), ch) << cells;
}

TEST(FontLines, OneLinePerGroupOfFourRows)
{
    std::vector<std::string> lines;
    fontLinesFromRows({"0110"}, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"amma"}));

    std::vector<std::string> rows = {"01", "00", "01", "10", "11"};
    fontLinesFromRows(rows, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "Ap");  // column 0: cells 0011, column 1: cells 0101

    for (std::size_t n = 6; n <= 8; ++n) {
        fontLinesFromRows(std::vector<std::string>(n, "0"), lines);
        EXPECT_EQ(lines.size(), 2u) << n << " rows";
    }
    fontLinesFromRows(std::vector<std::string>(9, "0"), lines);
    EXPECT_EQ(lines.size(), 3u);
}

TEST(JoinLines, CrLfBetweenLinesOnly)
{
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({"ab"}), "ab");
    EXPECT_EQ(joinLines({"ab", "cd", "e"}), "ab\r\ncd\r\ne");
}
