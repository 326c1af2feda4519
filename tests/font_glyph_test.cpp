// SPDX-License-Identifier: Apache-2.0
// The built font files themselves: names, vertical metrics, and for every character the
// encoders emit the glyph's advance and dark cells, read back through FreeType.
#include "font_samples.hpp"

#include "strivane_render/barcode_fonts.hpp"

#include "tallowlib/font_geometry.hpp"
#include "tallowlib/symbol_text.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Kelbrin::Render;
using Kelbrin::Tallowlib::symbology;

namespace {

// The geometry every font must have, written out independently of the generator.
struct font_geometry {
    const char* file;
    const char* family;
    int module;        // font units
    int line;          // modules
    int bleed;         // font units a column's dark cell reaches to the right, past its advance
    int overhang;      // font units the cells at the line's bottom and top reach past it
    int bar;           // height of the width characters' bars, modules
    int fourCells[4];  // top to bottom, modules
    int threeCells[3];
};

constexpr font_geometry geometries[] = {
    {"ZLTDataBar34X.ttf", "ZLT DataBar 34X", 100, 37, 20, 9, 34, {1, 1, 1, 34}, {15, 1, 21}},
    {"ZLTDataBar13X.ttf", "ZLT DataBar 13X", 100, 13, 20, 9, 13, {1, 1, 1, 10}, {5, 1, 7}},
    {"ZLTDataBar34X-96dpi.ttf", "ZLT DataBar 34X 96dpi", 125, 37, 20, 12, 34, {1, 1, 1, 34}, {15, 1, 21}},
    {"ZLTDataBar13X-96dpi.ttf", "ZLT DataBar 13X 96dpi", 125, 13, 20, 12, 13, {1, 1, 1, 10}, {5, 1, 7}},
    {"ZLTDataBarEM.ttf", "ZLT DataBar EM", 50, 37, 10, 5, 34, {1, 1, 1, 34}, {15, 1, 21}},
};

const std::map<char, const char*> fourCellPatterns = {
    {'a', "0000"}, {'m', "0001"}, {'n', "0010"}, {'o', "0100"}, {'p', "0101"}, {'q', "0110"},
    {'r', "1001"}, {'s', "1010"}, {'t', "1100"}, {'u', "1101"}, {'v', "1110"}, {'z', "1000"},
    {'A', "0011"}, {'B', "0111"}, {'C', "1011"}, {'D', "1111"},
};
const std::map<char, const char*> threeCellPatterns = {
    {'j', "001"}, {'k', "010"}, {'l', "011"}, {'w', "100"}, {'x', "101"}, {'y', "110"}, {'Z', "000"},
};

using span = std::pair<int, int>;  // [bottom, top) in font units

// What a glyph is: its advance and the vertical spans of its dark area, which must each be
// one rectangle from the glyph's origin to the advance, plus the bleed for a column glyph
// (which stands beside other columns) and none for a bar (whose neighbours are spaces).
struct glyph_shape {
    int advance = 0;
    std::vector<span> dark;
    int bleed = 0;
};

// A span in modules as drawn: where it meets the line's bottom or top it reaches past by the
// overhang, so that stacked lines overlap rather than leave a gap.
span drawn(const font_geometry& g, int bottom, int top)
{
    return {bottom * g.module - (bottom == 0 ? g.overhang : 0), top * g.module + (top == g.line ? g.overhang : 0)};
}

// Dark spans of a column whose cells (top to bottom) have these heights.
std::vector<span> cellSpans(const font_geometry& g, const char* pattern, const int* heights, int count)
{
    int top = 0;
    for (int i = 0; i < count; ++i)
        top += heights[i];
    std::vector<span> spans;
    for (int i = 0; i < count; ++i) {
        const int bottom = top - heights[i];
        if (pattern[i] == '1') {
            if (!spans.empty() && spans.back().first == top)
                spans.back().first = bottom;
            else
                spans.emplace_back(bottom, top);
        }
        top = bottom;
    }
    std::reverse(spans.begin(), spans.end());
    for (span& s : spans)
        s = drawn(g, s.first, s.second);
    return spans;
}

glyph_shape expectedShape(const font_geometry& g, char c)
{
    const int m = g.module;
    if (c >= 'b' && c <= 'i')
        return {(c - 'a' + 1) * m, {}};
    if (c >= '1' && c <= '9')
        return {(c - '0') * m, {drawn(g, 0, g.bar)}, 0};
    if (auto it = fourCellPatterns.find(c); it != fourCellPatterns.end())
        return {m, cellSpans(g, it->second, g.fourCells, 4), g.bleed};
    if (auto it = threeCellPatterns.find(c); it != threeCellPatterns.end())
        return {m, cellSpans(g, it->second, g.threeCells, 3), g.bleed};
    ADD_FAILURE() << "no expectation for " << c;
    return {};
}

class font_file {
public:
    explicit font_file(const std::string& path)
    {
        if (FT_Init_FreeType(&library_) == 0 && FT_New_Face(library_, path.c_str(), 0, &face_) != 0)
            face_ = nullptr;
    }
    ~font_file()
    {
        if (face_)
            FT_Done_Face(face_);
        if (library_)
            FT_Done_FreeType(library_);
    }
    font_file(const font_file&) = delete;
    font_file& operator=(const font_file&) = delete;

    FT_Face face() const { return face_; }

    bool hasGlyph(char c) const { return FT_Get_Char_Index(face_, static_cast<unsigned char>(c)) != 0; }

    // The glyph in font units; a contour that is not an axis-aligned rectangle from the origin
    // to the advance plus `bleed` fails the test.
    glyph_shape shape(char c, int bleed) const
    {
        glyph_shape s;
        if (FT_Load_Char(face_, static_cast<unsigned char>(c), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) {
            ADD_FAILURE() << "cannot load " << c;
            return s;
        }
        const FT_GlyphSlot slot = face_->glyph;
        s.advance = static_cast<int>(slot->advance.x);
        const FT_Outline& o = slot->outline;
        int start = 0;
        for (int k = 0; k < o.n_contours; ++k) {
            const int end = o.contours[k];
            std::set<long> xs, ys;
            for (int p = start; p <= end; ++p) {
                xs.insert(o.points[p].x);
                ys.insert(o.points[p].y);
            }
            EXPECT_EQ(end - start + 1, 4) << "glyph " << c << " contour " << k << " is not a rectangle";
            EXPECT_EQ(xs, (std::set<long>{0, s.advance + bleed})) << "glyph " << c << " must fill its advance and bleed";
            if (ys.size() == 2)
                s.dark.emplace_back(static_cast<int>(*ys.begin()), static_cast<int>(*ys.rbegin()));
            start = end + 1;
        }
        std::sort(s.dark.begin(), s.dark.end());
        return s;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// Every character of the font-text repertoire.
const std::string repertoire = "abcdefghi123456789mnopqrstuvzABCDjklwxyZ";

std::string fontPath(const font_geometry& g)
{
    const barcode_font_info* info = findBarcodeFont(g.family);
    if (!info)
        return {};
    return locateFontFile(*info).value_or("");
}

void PrintTo(const font_geometry& g, std::ostream* os) { *os << g.family; }

class FontFile : public ::testing::TestWithParam<font_geometry> {};

}  // namespace

TEST_P(FontFile, NamesAndVerticalMetrics)
{
    const font_geometry& g = GetParam();
    const std::string path = fontPath(g);
    ASSERT_FALSE(path.empty()) << g.file << " not found";
    EXPECT_EQ(path.substr(path.size() - std::string(g.file).size()), g.file);
    font_file font(path);
    ASSERT_NE(font.face(), nullptr);
    const FT_Face face = font.face();
    EXPECT_STREQ(face->family_name, g.family);
    EXPECT_STREQ(face->style_name, "Regular");
    EXPECT_EQ(face->units_per_EM, 1000);

    const int line = g.line * g.module;
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    ASSERT_TRUE(hhea && os2);
    EXPECT_EQ(hhea->Ascender, line);
    EXPECT_EQ(hhea->Descender, 0);
    EXPECT_EQ(hhea->Line_Gap, 0);
    EXPECT_EQ(os2->sTypoAscender, line);
    EXPECT_EQ(os2->sTypoDescender, 0);
    EXPECT_EQ(os2->sTypoLineGap, 0);
    // The Windows metrics, which some applications clip glyphs to, cover the overhang.
    EXPECT_EQ(os2->usWinAscent, line + g.overhang);
    EXPECT_EQ(os2->usWinDescent, g.overhang);
    EXPECT_NE(os2->fsSelection & (1 << 7), 0) << "USE_TYPO_METRICS";
    EXPECT_EQ(os2->fsType, 0) << "installable embedding";
    EXPECT_EQ(face->height, line) << "lines must stack without a gap";
    EXPECT_EQ(face->bbox.yMin, -g.overhang);
    EXPECT_EQ(face->bbox.yMax, line + g.overhang);
}

TEST_P(FontFile, EveryCharacterHasItsAdvanceAndCells)
{
    const font_geometry& g = GetParam();
    font_file font(fontPath(g));
    ASSERT_NE(font.face(), nullptr);
    for (const char c : repertoire) {
        ASSERT_TRUE(font.hasGlyph(c)) << "no glyph for " << c;
        const glyph_shape want = expectedShape(g, c);
        const glyph_shape got = font.shape(c, want.bleed);
        EXPECT_EQ(got.advance, want.advance) << "advance of " << c;
        EXPECT_EQ(got.dark, want.dark) << "dark cells of " << c;
    }
    // "a" is the one-module space and the all-light column at once.
    EXPECT_EQ(font.shape('a', 0).advance, g.module);
}

TEST_P(FontFile, EveryCharacterTheEncodersEmitIsDrawn)
{
    font_file font(fontPath(GetParam()));
    ASSERT_NE(font.face(), nullptr);
    const std::pair<symbology, bool> kinds[] = {
        {symbology::databar14, false},        {symbology::databar_limited, false},
        {symbology::databar_stacked, false},  {symbology::databar_stacked_omni, false},
        {symbology::code128, false},          {symbology::gs1_128, false},
        {symbology::databar_expanded, false}, {symbology::databar_expanded, true},
    };
    std::set<char> seen;
    for (const auto& [s, stacked] : kinds) {
        for (const auto& sample : strivane::fonttest::randomSamples(s, 40, 7u, stacked)) {
            std::vector<std::string> lines;
            try {
                Kelbrin::Tallowlib::encodeFontLines(s, sample.input.c_str(), sample.segmentsPerRow, lines);
            } catch (const std::logic_error&) {
                break;  // symbology not built yet
            }
            for (const auto& line : lines)
                for (const char c : line)
                    seen.insert(c);
        }
    }
    for (const char c : seen) {
        EXPECT_NE(repertoire.find(c), std::string::npos) << "encoders emit " << int(c);
        EXPECT_TRUE(font.hasGlyph(c)) << "no glyph for " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(AllFonts, FontFile, ::testing::ValuesIn(geometries),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// True when `units` at `points` is a whole number of 1/`perInch` inch steps.
bool wholeSteps(int units, double points, int perInch)
{
    const double steps = units * points * perInch / Kelbrin::Tallowlib::unitsPerInchAtOnePoint;
    return std::fabs(steps - std::round(steps)) < 1e-9;
}

// The core's table, which the generator, Barwright and tarnwick read, says what the files hold.
// At its recommended size every printer font puts a module on LibreOffice's glyph grid (0.1
// point) and on whole dots at 300 and 600 dpi (the screen fonts: whole pixels at 96 dpi), within
// GS1's X-dimension range for DataBar at the point of sale, and bleeds one 300 dpi dot.
TEST(FontGeometry, TableMatchesTheFilesAndItsSizesSuitPrinting)
{
    namespace core = Kelbrin::Tallowlib;
    for (const auto& g : geometries) {
        SCOPED_TRACE(g.family);
        const auto* table = core::findFontGeometry(g.family);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->fileName, g.file);
        EXPECT_EQ(table->moduleUnits, g.module);
        EXPECT_EQ(table->lineModules, g.line);
        EXPECT_EQ(table->bleedUnits, g.bleed);
        EXPECT_EQ(table->overhangUnits, g.overhang);

        const int points = table->recommendedPoints;
        EXPECT_TRUE(wholeSteps(g.module, points, 720)) << "0.1-point grid";
        if (table->screenVariant) {
            EXPECT_TRUE(wholeSteps(g.module, points, 96));
        } else {
            EXPECT_TRUE(wholeSteps(g.module, points, 300));
            EXPECT_TRUE(wholeSteps(g.module, points, 600));
        }
        const double xMillimetres = core::moduleInches(*table, points) * 25.4;
        EXPECT_GE(xMillimetres, 0.264);
        EXPECT_LE(xMillimetres, 0.66);
        EXPECT_DOUBLE_EQ(g.bleed * points * 300 / core::unitsPerInchAtOnePoint, 1.0) << "one 300 dpi dot";
        EXPECT_LT(4 * g.bleed, g.module) << "bar gain stays under a quarter module";
        EXPECT_EQ(g.module * 1000 % core::fontUnitsPerEm, 0) << "a PDF writes the advance exactly";
    }
}
