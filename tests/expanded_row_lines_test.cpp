// DataBar Expanded lines straight from the widths (rows as module bits, separators worked
// out from them) against the rows built as text and printed the general way.
#include "expanded/databar_expanded.hpp"
#include "font/font_text.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

namespace {

// `parts` widths of 1 to 9 modules making `total`.
void appendComposition(std::mt19937& rng, int total, int parts, std::vector<int>& widths)
{
    std::vector<int> w(static_cast<std::size_t>(parts), 1);
    for (int left = total - parts; left > 0;) {
        auto& x = w[rng() % w.size()];
        if (x < 9) {
            ++x;
            --left;
        }
    }
    widths.insert(widths.end(), w.begin(), w.end());
}

// The widths of a symbol of `characters` symbol characters laid out as the encoder does
// (per pair a character of 17 modules in 8 elements, a finder of 15 in 5, a character),
// but with random widths; finders often start with three widths making a finder head
// (13 modules), so that separators break them up in rows of both directions and colours.
std::vector<int> randomWidths(std::mt19937& rng, int characters)
{
    static const int heads[][3] = {{9, 1, 3}, {3, 1, 9}, {1, 8, 4}, {4, 8, 1}, {3, 5, 5}, {6, 1, 6}};
    std::vector<int> widths;
    for (int c = 0; c < characters; ++c) {
        if (c % 2 == 0) {
            appendComposition(rng, 17, 8, widths);
            if (rng() % 3 != 0) {
                const auto& head = heads[rng() % std::size(heads)];
                widths.insert(widths.end(), {head[0], head[1], head[2], 1, 1});
            } else {
                appendComposition(rng, 15, 5, widths);
            }
        } else {
            appendComposition(rng, 17, 8, widths);
        }
    }
    return widths;
}

std::string widthText(const std::vector<int>& widths)
{
    std::string text;
    for (int w : widths)
        text += static_cast<char>('0' + w);
    return text;
}

}  // namespace

// Every symbol size with every segment count, odd and out-of-range ones included, into
// lines left from a larger symbol.
TEST(ExpandedRowLines, FromWidthsMatchRowsPrinted)
{
    std::mt19937 rng(31);
    std::vector<std::string> lines;
    std::vector<std::string> expected;
    for (int round = 0; round < 40; ++round) {
        for (int characters = 2; characters <= maxSymbolCharacters; ++characters) {
            const std::vector<int> widths = randomWidths(rng, characters);
            ASSERT_EQ(widths.size(), static_cast<std::size_t>(expandedElementCount(characters)));
            const int segments = static_cast<int>(rng() % 27) - 2;
            const expanded_row_builder builder(segments);
            builder.fontLines(widthText(widths), expected);
            if (round % 2 == 0)
                lines.assign(12, std::string(600, 'x'));
            builder.fontLinesFromWidths(widths.data(), static_cast<int>(widths.size()), lines);
            ASSERT_EQ(lines, expected) << characters << " characters, " << segments << " segments: "
                                       << widthText(widths);
        }
    }
}

// The rows of a stacked symbol: a data row, then per further row the middle separator
// between the separators of the rows it divides, each data row's separator above and below
// it; all as wide as the first row.
TEST(ExpandedRowLines, RowsOfAStackedSymbol)
{
    std::mt19937 rng(32);
    const std::vector<int> widths = randomWidths(rng, 10);
    std::vector<std::string> rows;
    expanded_row_builder(4).buildRows(widthText(widths), rows);
    ASSERT_EQ(rows.size(), 9u);  // three data rows
    for (const auto& row : rows)
        ASSERT_EQ(row.size(), 102u);
    EXPECT_EQ(rows[3], rows[5]);  // the second data row between its separators
    EXPECT_NE(rows[1], rows[3]);
    EXPECT_EQ(rows[2], rows[6]);  // middle separators
    EXPECT_EQ(rows[2].substr(0, 8), "00000101");
    EXPECT_EQ(rows[2].substr(94), "01010000");  // the last single module, then four light
}
