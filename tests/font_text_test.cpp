// SPDX-License-Identifier: Apache-2.0
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
// binary number, top cell most significant. Four cells "0011", "0111", "1011" and "1111"
// (a dark separator cell over a dark data module) print as "A".."D"; three cells "111"
// never occur and print as "000" does.
constexpr std::string_view fourCells = "amnAopqBzrsCtuvD";
constexpr std::string_view threeCells = "ZjklwxyZ";

std::size_t cellIndex(const std::array<module_bits, 4>& rows, std::size_t first, std::size_t count, std::size_t j)
{
    std::size_t index = 0;
    for (std::size_t k = first; k < first + count; ++k)
        index = index << 1 | (rows[k].dark(j) ? 1u : 0u);
    return index;
}

}  // namespace

// Lines written eight columns at a time against the alphabets one column at a time, for
// widths not a multiple of eight, past the module capacity (light there), and into lines
// that held longer text.
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
