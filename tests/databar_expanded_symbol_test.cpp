// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded symbols: element-width text, finder sequences, rows and failures.
#include "expanded/databar_expanded.hpp"
#include "rows/module_row.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/symbol_text.hpp"
#include "trace.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

namespace {

std::string encodeExpanded(const char* input, int segments, std::string* humanReadable = nullptr)
{
    std::string barcode, text;
    EXPECT_EQ(databar_expanded_encoder().encode(input, segments, barcode, text), 1);
    if (humanReadable != nullptr)
        *humanReadable = text;
    return barcode;
}

// The module rows of the symbol's font lines, read back.
std::vector<std::string> printedRows(const std::string& elementWidths, int segments)
{
    std::vector<int> widths;
    for (const char c : elementWidths)
        widths.push_back(c - '0');
    std::vector<std::string> lines;
    expandedFontLines(widths.data(), static_cast<int>(widths.size()), segments, lines);
    return readFontText(joinLines(lines)).rows;
}

int digitSum(std::string_view s)
{
    return std::accumulate(s.begin(), s.end(), 0, [](int a, char c) { return a + (c - '0'); });
}

std::string finderText(finder_use f)
{
    static const int widths[6][3] = {{1, 8, 4}, {3, 6, 4}, {3, 4, 6}, {3, 2, 8}, {2, 6, 5}, {2, 2, 9}};
    std::string s;
    for (int w : widths[f.pattern])
        s.push_back(static_cast<char>('0' + w));
    s += "11";
    if (f.mirrored)
        s = std::string(s.rbegin(), s.rend());
    return s;
}

// Inputs whose symbols have every character count T from 4 to 22 (one row).
const std::vector<std::pair<const char*, int>> symbolsBySize = {
    {"(10)AB", 4},
    {"(01)12345678901231", 5},
    {"(01)98898765432106(3103)001750", 6},  // fixed-length method
    {"(10)ABCDEFGH", 7},
    {"(01)98898765432106(3202)012345", 8},
    {"(01)12345678901231(10)ABCDEF", 9},
    {"(01)12345678901231(10)ABCDEFGH", 10},
    {"(01)12345678901231(10)ABCDEFGHIJ", 11},
    {"(01)12345678901231(10)ABCDEFGHIJKL", 12},
    {"(01)12345678901231(10)ABCDEFGHIJKLM", 13},
    {"(01)12345678901231(10)ABCDEFGHIJKLMNO", 14},
    {"(01)12345678901231(10)ABCDEFGHIJKLMNOPQRST", 16},
    {"(90)abcdefghijklmnopqrstuvwxyz", 18},
    {"(90)abcdefghijklmnopqrstuvwxyz(91)12345", 21},
    {"(90)abcdefghijklmnopqrstuvwxyz(91)123456789", 22},
};

}  // namespace

TEST(ExpandedSymbol, WorkedExampleOneGtin)
{
    std::string text;
    const std::string e = encodeExpanded("(01)12345678901231", 22, &text);
    EXPECT_EQ(text, "(01)12345678901231");
    ASSERT_EQ(e.size(), 55u);  // 21 + 21 + 13
    EXPECT_EQ(e.substr(8, 5), "18411");   // A1
    EXPECT_EQ(e.substr(29, 5), "11463");  // B2
    EXPECT_EQ(e.substr(50, 5), "36411");  // B1
    const std::vector<std::string> rows = printedRows(e, 22);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size(), 134u);
    EXPECT_EQ(rows[0].substr(0, 2), "01");  // guard: light, dark
}

// Every symbol: its length, 17 modules per character and the finder sequence for its size.
TEST(ExpandedSymbol, CharactersAndFinderSequences)
{
    for (const auto& [input, t] : symbolsBySize) {
        SCOPED_TRACE(input);
        const std::string e = encodeExpanded(input, 22);
        ASSERT_EQ(static_cast<int>(e.size()), expandedElementCount(t));
        const int finders = (t + 1) / 2;
        const finder_use* sequence = finderSequence(finders);
        ASSERT_NE(sequence, nullptr);
        for (int p = 0; p < finders; ++p) {
            const auto at = static_cast<std::size_t>(21 * p);
            EXPECT_EQ(digitSum(e.substr(at, 8)), 17) << "left character of pair " << p;
            EXPECT_EQ(e.substr(at + 8, 5), finderText(sequence[p])) << "finder of pair " << p;
            if (at + 13 < e.size()) {
                EXPECT_EQ(digitSum(e.substr(at + 13, 8)), 17) << "right character of pair " << p;
            }
        }
    }
    EXPECT_EQ(finderSequence(1), nullptr);
    EXPECT_EQ(finderSequence(12), nullptr);
}

TEST(ExpandedSymbol, SegmentsPerRowNormalisation)
{
    const std::vector<std::pair<int, int>> rows = {
        {2, 2}, {3, 4}, {4, 4}, {1, 2}, {-1, 2}, {21, 22}, {22, 22}, {23, 22}, {24, 22},
        {0, 22}, {-2, 22}, {-3, 22}, {40, 22}, {11, 12}, {-2147483647, 22}, {2147483647, 22},
    };
    for (const auto& [in, out] : rows) {
        EXPECT_EQ(normaliseSegmentsPerRow(in), out) << in;
    }
    // encode normalises too: the compaction's size rule sees 4 for 3, 22 for 0.
    const char* input = "(01)12345678901231";  // 48 bits: T = 5, a lone last segment with 4 per row
    EXPECT_EQ(encodeExpanded(input, 3).size(), encodeExpanded(input, 4).size());
    EXPECT_EQ(encodeExpanded(input, 4).size(), 63u);  // T = 6
    EXPECT_EQ(encodeExpanded(input, 0), encodeExpanded(input, 22));
    EXPECT_EQ(encodeExpanded(input, -1).size(), 63u);
}

// Rows of every count: 4R - 3 module rows of one width, separators identical above and
// below a data row, middle rows of alternating single modules.
TEST(ExpandedRows, RowCountsWidthsAndSeparators)
{
    struct row {
        const char* input;
        int segments;
        int dataRows;
        int width;
    };
    const std::vector<row> rows = {
        {"(01)12345678901231", 22, 1, 134},
        {"(01)98898765432106(3202)012345", 2, 4, 53},   // T = 8
        {"(01)98898765432106(3202)012345", 4, 2, 102},
        {"(01)98898765432106(3202)012345", 6, 2, 151},
        {"(01)98898765432106(3202)012345", 8, 1, 200},
        {"(01)12345678901231(10)ABCDEFGHIJKLMNOPQRST", 2, 8, 53},
        {"(01)12345678901231(10)ABCDEFGHIJKLMNOPQRST", 6, 3, 151},
        {"(90)abcdefghijklmnopqrstuvwxyz(91)123456789", 2, 11, 53},
        {"(90)abcdefghijklmnopqrstuvwxyz(91)123456789", 10, 3, 249},
        {"(90)abcdefghijklmnopqrstuvwxyz(91)123456789", 20, 2, 494},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.input << " / " << r.segments);
        const std::vector<std::string> m = printedRows(encodeExpanded(r.input, r.segments), r.segments);
        ASSERT_EQ(static_cast<int>(m.size()), 4 * r.dataRows - 3);
        for (const auto& x : m)
            EXPECT_EQ(static_cast<int>(x.size()), r.width);
        for (int k = 1; k + 1 < r.dataRows; ++k)
            EXPECT_EQ(m[static_cast<std::size_t>(4 * k - 1)], m[static_cast<std::size_t>(4 * k + 1)])
                << "separators around data row " << k;
        for (int k = 1; k < r.dataRows; ++k) {
            const std::string& middle = m[static_cast<std::size_t>(4 * k - 2)];
            EXPECT_EQ(middle.substr(0, 6), "000001");
            EXPECT_EQ(middle.find("11"), std::string::npos);
            EXPECT_EQ(middle.substr(middle.size() - 4), "0000");
        }
    }
}

// The last row keeps its direction unless it would run right to left with an odd number
// of elements: then it runs left to right one module further right.
TEST(ExpandedRows, LastRowDirectionAndShift)
{
    struct row {
        const char* input;
        int segments;
        int t;
        bool shifted;
        bool reversed;
    };
    const std::vector<row> rows = {
        {"(01)98898765432106(3103)001750", 4, 6, true, 0},   // row 1 from pair 2: 21 elements
        {"(10)ABCDEFGHIJ", 4, 8, false, 1},                   // row 1 from pair 2: 42 elements
        {"(01)12345678901231(10)ABCDEFGHIJ", 8, 11, false, 1},  // 34 elements
        {"(01)12345678901231(10)ABCDEFGHIJKLM", 8, 13, true, 0},  // 2 pairs and a half: 55
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.input);
        const std::string e = encodeExpanded(r.input, r.segments);
        ASSERT_EQ(static_cast<int>(e.size()), expandedElementCount(r.t));
        std::vector<int> widths;
        for (char c : e)
            widths.push_back(c - '0');
        const std::vector<std::string> m = printedRows(e, r.segments);
        ASSERT_EQ(m.size(), 5u);
        const int k = r.segments, q = k / 2;
        element_row last;
        last.count = expandedElementCount(r.t - k);
        last.first_light = q % 2 == 0;
        last.reversed = r.reversed;
        last.widths = widths.data() + 21 * q;
        last.left_pad = r.shifted ? 1 : 0;
        module_bits bits;
        layOutRow(last, bits);
        std::string body(m[0].size(), '0');
        for (std::size_t j = 0; j < body.size(); ++j)
            body[j] = bits.dark(j) ? '1' : '0';
        EXPECT_EQ(m[4], body);
    }
}

// Every failure is code 10 with the one message: structure, AI, characters the symbol
// cannot carry in element data, and data too big.
TEST(ExpandedEncoder, EveryFailureIsCodeTen)
{
    const std::string big = "(90)" + std::string(30, 'a') + "(91)" + std::string(30, 'b');
    for (const std::string input : {"01)123", "(01123", "(0A)1", "()1", "(10)A$B", "(10)A~B", "(10)A@", "(10)A^B",
                                    "(10)A#B", "(7004)AB\x80", "(7004)A\tB", "(90)a{b}", big.c_str()}) {
        SCOPED_TRACE(input);
        std::string barcode, text;
        try {
            databar_expanded_encoder().encode(input.c_str(), 22, barcode, text);
            ADD_FAILURE() << "accepted";
        } catch (const invalid_ean128_format_error& e) {
            EXPECT_EQ(e.code, 10);
            EXPECT_EQ(e.message, "The AI portion of an EAN-128 structure must be numeric.");
            EXPECT_FALSE(e.diagnostic.empty());
        }
    }
    // Markers and blanks are not data: these encode.
    for (const char* ok : {"(10)ABC~(21)12", "(11)091231!(10)A", "(10)AB C", "(21)a!\"%&')*+,-./:;(22)<=>?_z"}) {
        std::string barcode, text;
        EXPECT_EQ(databar_expanded_encoder().encode(ok, 22, barcode, text), 1) << ok;
    }
}

TEST(ExpandedEncoder, DataErrorIsTracedWhenASinkIsInstalled)
{
    std::ostringstream sink;
    installTraceSink(&sink);
    std::string barcode, text;
    const std::string big = "(90)" + std::string(30, 'a') + "(91)" + std::string(30, 'b');
    EXPECT_THROW(databar_expanded_encoder().encode(big.c_str(), 22, barcode, text), invalid_ean128_format_error);
    installTraceSink(nullptr);
    EXPECT_EQ(sink.str(), "[rss-detail]Kelbrin::Tallowlib::detail::RSS14Eenc(179): \ndata error\n");
    // The base-class encode is the one-row symbol.
    std::string one, text2;
    databar_expanded_encoder().encode("(10)A", one, text2);
    EXPECT_EQ(one, encodeExpanded("(10)A", 22));
}
