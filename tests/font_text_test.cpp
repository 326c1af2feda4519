#include "font/font_text.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

using namespace Kelbrin::Tallowlib;

TEST(SingleRowFontText, WidthsBecomeSpaceAndBarCharacters)
{
    EXPECT_EQ(singleRowFontText("11"), "a1");
    EXPECT_EQ(singleRowFontText("199"), "a9i");
    EXPECT_EQ(singleRowFontText("123456789"), "a2c4e6g8i");
    EXPECT_EQ(singleRowFontText(""), "");
}

namespace {

// The font alphabets: the character of a column indexed by its cells (1 dark) read as a
// binary number, top cell most significant.
constexpr std::string_view fourCells = "amnAopqBzrsCtuvD";
constexpr std::string_view threeCells = "ZjklwxyZ";

// The character of one column of the given cells ('0' light, '1' dark), top first.
char columnCharacter(std::string_view cells)
{
    std::array<module_bits, 4> rows;
    for (std::size_t k = 0; k < cells.size(); ++k)
        rows[k].words[0] = cells[k] == '1' ? 1u : 0u;
    std::string line;
    if (cells.size() == 4)
        fourCellLine(rows[0], rows[1], rows[2], rows[3], 1, line);
    else
        threeCellLine(rows[0], rows[1], rows[2], 1, line);
    return line.at(0);
}

std::size_t cellIndex(const std::array<module_bits, 4>& rows, std::size_t first, std::size_t count, std::size_t j)
{
    std::size_t index = 0;
    for (std::size_t k = first; k < first + count; ++k)
        index = index << 1 | (rows[k].dark(j) ? 1u : 0u);
    return index;
}

}  // namespace

TEST(ColumnCharacters, FourCellTableIncludingDarkOverDarkColumns)
{
    const std::pair<const char*, char> table[] = {
        {"0000", 'a'}, {"0001", 'm'}, {"0010", 'n'}, {"0100", 'o'}, {"0101", 'p'}, {"0110", 'q'},
        {"1001", 'r'}, {"1010", 's'}, {"1100", 't'}, {"1101", 'u'}, {"1110", 'v'}, {"1000", 'z'},
        {"0011", 'A'}, {"0111", 'B'}, {"1011", 'C'}, {"1111", 'D'},
    };
    for (const auto& [cells, ch] : table)
        EXPECT_EQ(columnCharacter(cells), ch) << cells;
}

TEST(ColumnCharacters, ThreeCellTable)
{
    const std::pair<const char*, char> table[] = {
        {"001", 'j'}, {"010", 'k'}, {"011", 'l'}, {"100", 'w'},
        {"101", 'x'}, {"110", 'y'}, {"000", 'Z'}, {"111", 'Z'},
    };
    for (const auto& [cells, ch] : table)
        EXPECT_EQ(columnCharacter(cells), ch) << cells;
}

// Lines written eight columns at a time against the alphabets one column at a time, for
// widths not a multiple of eight, past the module capacity, and into lines that held longer
// text.
TEST(ColumnLines, EveryColumnAsItsCellsSay)
{
    std::mt19937_64 rng(23);
    std::array<module_bits, 4> rows;
    std::string line(900, 'x');
    for (int i = 0; i < 300; ++i) {
        for (auto& r : rows)
            for (auto& w : r.words)
                w = rng() & rng();
        const std::size_t width = i % 10 == 0 ? moduleBitsCapacity + rng() % 20 : rng() % 200;
        std::string expected(width, ' ');
        for (std::size_t j = 0; j < width; ++j)
            expected[j] = fourCells[cellIndex(rows, 3, 1, j)];
        underLightCellsLine(rows[3], width, line);
        ASSERT_EQ(line, expected) << width;

        for (std::size_t j = 0; j < width; ++j)
            expected[j] = fourCells[cellIndex(rows, 0, 4, j)];
        fourCellLine(rows[0], rows[1], rows[2], rows[3], width, line);
        ASSERT_EQ(line, expected) << width;

        for (std::size_t j = 0; j < width; ++j)
            expected[j] = threeCells[cellIndex(rows, 0, 3, j)];
        threeCellLine(rows[0], rows[1], rows[2], width, line);
        ASSERT_EQ(line, expected) << width;
    }
}

TEST(JoinLines, CrLfBetweenLinesOnly)
{
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({"ab"}), "ab");
    EXPECT_EQ(joinLines({"ab", "cd", "e"}), "ab\r\ncd\r\ne");
}
