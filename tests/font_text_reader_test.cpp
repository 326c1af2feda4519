// SPDX-License-Identifier: Apache-2.0
#include "font/font_text.hpp"
#include "tallowlib/font_text_reader.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;

TEST(FontTextReader, WidthCharactersGiveOneRow)
{
    const auto r = readFontText("a1c2");
    EXPECT_EQ(r.kind, font_text_kind::width_characters);
    EXPECT_EQ(r.rows, (std::vector<std::string>{"0100011"}));
    EXPECT_EQ(r.dataRow, (std::vector<bool>{true}));
    EXPECT_EQ(readFontText(singleRowFontText("1113112161")).rows[0], "010111010010000001");
}

TEST(FontTextReader, ThreeCellColumnsGiveTopSeparatorBottom)
{
    const auto r = readFontText("jkZxy");
    EXPECT_EQ(r.kind, font_text_kind::three_cell_columns);
    EXPECT_EQ(r.rows, (std::vector<std::string>{"00011", "01001", "10010"}));
    EXPECT_EQ(r.dataRow, (std::vector<bool>{true, false, true}));
}

TEST(FontTextReader, FourCellColumnsInvertFontLines)
{
    // Random rows printed as a stacked symbol prints them and read back: every row comes back.
    std::mt19937 rng(7);
    for (std::size_t n : {1u, 5u, 9u, 13u}) {
        std::vector<std::string> rows(n, std::string(30, '0'));
        std::vector<module_bits> bits(n);
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < 30; ++j)
                if (rng() % 2 != 0) {
                    rows[i][j] = '1';
                    bits[i].words[0] |= std::uint64_t{1} << j;
                }
        std::vector<std::string> lines(1 + n / 4);
        underLightCellsLine(bits[0], 30, lines[0]);
        for (std::size_t g = 1; g < lines.size(); ++g)
            fourCellLine(bits[4 * g - 3], bits[4 * g - 2], bits[4 * g - 1], bits[4 * g], 30, lines[g]);
        for (const char* sep : {"\r\n", "\n"}) {
            std::string text;
            for (std::size_t i = 0; i < lines.size(); ++i)
                text += (i ? sep : "") + lines[i];
            const auto r = readFontText(text);
            EXPECT_EQ(r.kind, font_text_kind::four_cell_columns);
            EXPECT_EQ(r.rows, rows) << n << " rows";
            ASSERT_EQ(r.dataRow.size(), n);
            for (std::size_t i = 0; i < n; ++i)
                EXPECT_EQ(r.dataRow[i], i % 4 == 0) << i;
        }
    }
}

TEST(FontTextReader, RejectsWhatNoFontPrints)
{
    for (const char* text : {"", "a1\r\na1", "a1#", "jkm", "am\r\namm", "mmm\r\nmm", "a1j", "\t"})
        EXPECT_THROW(readFontText(text), std::invalid_argument) << text;
}
