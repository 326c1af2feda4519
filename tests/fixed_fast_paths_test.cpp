// The DataBar fast paths (tabulated DataBar-14 characters, rows and lines written into reused
// storage, rows as module bits) against the general routines they stand in for.
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

// The modules of `bits` as "0"/"1" text, `width` of them (past the capacity: '0').
std::string moduleText(const module_bits& bits, std::size_t width)
{
    std::string text(width, '0');
    for (std::size_t j = 0; j < width; ++j)
        text[j] = bits.dark(j) ? '1' : '0';
    return text;
}

// Bits and width of a rendered row against the text renderRow gives: every module up to
// the capacity, nothing set past the row's end.
void expectSameModules(const module_bits& bits, const std::string& modules)
{
    ASSERT_EQ(bits.width, modules.size());
    const std::size_t held = std::min(modules.size(), moduleBitsCapacity);
    ASSERT_EQ(moduleText(bits, held), modules.substr(0, held));
    for (std::size_t j = held; j < moduleBitsCapacity; ++j)
        ASSERT_FALSE(bits.dark(j)) << j;
}

// A row of random elements: mostly the 1..9 modules of real symbols, finder heads (three
// widths making 13) planted often, now and then zero, negative or very wide elements, pads,
// guards, colours and directions of every kind; some rows past the module capacity.
struct random_row {
    std::vector<int> widths;
    element_row row;
};

random_row randomRow(std::mt19937& rng)
{
    random_row r;
    const int count = static_cast<int>(rng() % 70);
    const int unusual = static_cast<int>(rng() % 8);  // 0: zero or negative widths, 1: wide ones
    for (int k = 0; k < count; ++k) {
        int w = 1 + static_cast<int>(rng() % 9);
        if (unusual == 0 && rng() % 10 == 0)
            w = -static_cast<int>(rng() % 3);
        if (unusual == 1 && rng() % 10 == 0)
            w = 10 + static_cast<int>(rng() % 300);
        r.widths.push_back(w);
    }
    static const std::array<std::array<int, 3>, 5> heads = {{{9, 1, 3}, {3, 1, 9}, {1, 8, 4}, {5, 5, 3}, {2, 2, 9}}};
    for (int planted = static_cast<int>(rng() % 4); planted > 0 && count >= 3; --planted) {
        const auto& head = heads[rng() % heads.size()];
        const auto at = rng() % static_cast<unsigned>(count - 2);
        std::copy(head.begin(), head.end(), r.widths.begin() + at);
    }
    r.row = element_row{count, static_cast<int>(rng() % 5) - 1, static_cast<int>(rng() % 5) - 1, rng() % 4 != 0,
                        static_cast<int>(rng() % 2), static_cast<int>(rng() % 2), r.widths.data()};
    if (rng() % 20 == 0)
        r.row.widths = nullptr;
    return r;
}

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
        module_bits b;
        renderModuleBits(r, b);
        ASSERT_EQ(b.width, row.size());
        for (std::size_t j = 0; j < 64; ++j)
            ASSERT_EQ(b.words[0] >> j & 1u, j < row.size() && row[j] == '1' ? 1u : 0u) << j;
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

// Rows rendered to module bits against renderRow's text, over rows of every shape.
TEST(RowModuleBits, MatchRenderedRows)
{
    std::mt19937 rng(21);
    module_bits bits;
    for (int i = 0; i < 4000; ++i) {
        const random_row r = randomRow(rng);
        bits.words.fill(~std::uint64_t{0});  // whatever the bits held before
        renderModuleBits(r.row, bits);
        expectSameModules(bits, renderRow(r.row));
    }
}

// The separator worked out from a row's module bits against deriveSeparator's row rendered:
// finder heads in either direction and colour, at the ends, and rows the module path hands
// on to deriveSeparator (narrow elements, no guard, too long).
TEST(RowModuleBits, SeparatorMatchesDerivedRow)
{
    std::mt19937 rng(22);
    std::vector<int> derived;
    module_bits data;
    module_bits separator;
    int headsSeen = 0;
    for (int i = 0; i < 6000; ++i) {
        const random_row r = randomRow(rng);
        renderModuleBits(r.row, data);
        separator.words.fill(~std::uint64_t{0});
        deriveSeparatorBits(r.row, data, separator);
        const std::string expected = renderRow(deriveSeparator(r.row, derived));
        SCOPED_TRACE(testing::PrintToString(r.widths) + " pads " + std::to_string(r.row.left_pad) + "/" +
                     std::to_string(r.row.right_pad) + " reversed " + std::to_string(r.row.reversed));
        expectSameModules(separator, expected);
        if (std::find(derived.begin(), derived.end(), 10) != derived.end())
            ++headsSeen;
    }
    EXPECT_GT(headsSeen, 100);  // the ten-one-two break of a finder head came up often
}

// Line writers against the column characters one at a time, for widths not a multiple of
// eight, past the module capacity, and into lines that held longer text.
TEST(RowModuleBits, ColumnLinesMatchCharacterTables)
{
    std::mt19937_64 rng(23);
    std::array<module_bits, 4> rows;
    std::string line(900, 'x');
    for (int i = 0; i < 300; ++i) {
        for (auto& r : rows)
            for (auto& w : r.words)
                w = rng() & rng();
        const std::size_t width = i % 10 == 0 ? moduleBitsCapacity + rng() % 20 : rng() % 200;
        std::array<std::string, 4> cells;
        for (std::size_t k = 0; k < 4; ++k)
            cells[k] = moduleText(rows[k], width);

        std::string expected(width, ' ');
        for (std::size_t j = 0; j < width; ++j)
            expected[j] = fourCellCharacter('0', '0', '0', cells[3][j]);
        underLightCellsLine(rows[3], width, line);
        ASSERT_EQ(line, expected) << width;

        for (std::size_t j = 0; j < width; ++j)
            expected[j] = fourCellCharacter(cells[0][j], cells[1][j], cells[2][j], cells[3][j]);
        fourCellLine(rows[0], rows[1], rows[2], rows[3], width, line);
        ASSERT_EQ(line, expected) << width;

        for (std::size_t j = 0; j < width; ++j)
            expected[j] = threeCellCharacter(cells[0][j], cells[1][j], cells[2][j]);
        threeCellLine(rows[0], rows[1], rows[2], width, line);
        ASSERT_EQ(line, expected) << width;
    }
}

// A row printed straight from its widths is the row's modules printed from bits.
TEST(RowModuleBits, LineFromWidthsMatchesLineFromBits)
{
    std::mt19937 rng(24);
    std::string line(700, 'x');
    std::string viaBits;
    module_bits bits;
    for (int i = 0; i < 3000; ++i) {
        const random_row r = randomRow(rng);
        underLightCellsLine(r.row, line);
        renderModuleBits(r.row, bits);
        underLightCellsLine(bits, bits.width, viaBits);
        ASSERT_EQ(line, viaBits) << testing::PrintToString(r.widths);
    }
}

// Module ranges set to a pattern against one module at a time, across word boundaries and
// past the capacity.
TEST(RowModuleBits, AssignedRangesMatchSingleModules)
{
    std::mt19937_64 rng(25);
    const std::uint64_t patterns[] = {0, ~std::uint64_t{0}, evenModules, oddModules};
    module_bits bits;
    for (auto& w : bits.words)
        w = rng();
    std::string expected = moduleText(bits, moduleBitsCapacity);
    for (int i = 0; i < 3000; ++i) {
        const std::size_t from = rng() % (moduleBitsCapacity + 10);
        const std::size_t to = from + rng() % 150;
        const std::uint64_t pattern = patterns[rng() % 4];
        assignModules(bits, from, to, pattern);
        for (std::size_t j = from; j < std::min(to, moduleBitsCapacity); ++j)
            expected[j] = (pattern >> (j % 64) & 1u) != 0 ? '1' : '0';
        ASSERT_EQ(moduleText(bits, moduleBitsCapacity), expected) << from << ".." << to;
    }
}

// Both stacked forms for any 46 widths of 1 to 9, not only those of real symbols (rows then
// run short of or past 50 modules): Stacked against its rule worked module by module on the
// rendered rows, Stacked Omnidirectional against the general row builder.
TEST(DataBarFastPaths, StackedFormsOfAnyWidths)
{
    std::mt19937 rng(26);
    std::vector<std::string> lines(3, std::string(300, 'x'));
    std::vector<std::string> expected;
    std::string line;
    for (int i = 0; i < 3000; ++i) {
        std::string widths(46, '1');
        for (auto& c : widths)
            c = static_cast<char>('1' + rng() % (i % 3 == 0 ? 9 : 4));
        std::vector<int> upper, lower = {1, 1};
        for (std::size_t k = 0; k < 46; ++k)
            (k < 23 ? upper : lower).push_back(widths[k] - '0');
        upper.insert(upper.end(), {1, 1});
        std::string top = renderRow({25, 0, 0, false, 1, 0, upper.data()});
        std::string bottom = renderRow({25, 0, 0, false, 0, 0, lower.data()});
        top.resize(50, '0');
        bottom.resize(50, '0');
        std::string stacked(50, ' ');
        char previous = '1';
        for (std::size_t j = 0; j < 50; ++j) {
            previous = top[j] == bottom[j] ? (top[j] == '1' ? '0' : '1') : (previous == '1' ? '0' : '1');
            stacked[j] = threeCellCharacter(top[j], j < 4 || j >= 46 ? '0' : previous, bottom[j]);
        }
        stackedFontText(widths, line);
        ASSERT_EQ(line, stacked) << widths;

        omniFontLines(widths, lines);
        omni_row_builder().fontLines(widths, expected);
        ASSERT_EQ(lines, expected) << widths;
    }
}

}  // namespace
