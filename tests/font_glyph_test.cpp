// The built font files themselves: names, vertical metrics, and for every character the
// encoders emit the glyph's advance and dark cells, read back through FreeType.
#include "font_samples.hpp"

#include "strivane_render/barcode_fonts.hpp"

#include "tallowlib/symbol_text.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <gtest/gtest.h>

#include <algorithm>
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
    int bar;           // height of the width characters' bars, modules
    int fourCells[4];  // top to bottom, modules
    int threeCells[3];
};

constexpr font_geometry geometries[] = {
    {"ZLTDataBar34X.ttf", "ZLT DataBar 34X", 123, 37, 34, {1, 1, 1, 34}, {15, 1, 21}},
    {"ZLTDataBar13X.ttf", "ZLT DataBar 13X", 123, 13, 13, {1, 1, 1, 10}, {5, 1, 7}},
    {"ZLTDataBar34X-96dpi.ttf", "ZLT DataBar 34X 96dpi", 128, 37, 34, {1, 1, 1, 34}, {15, 1, 21}},
    {"ZLTDataBar13X-96dpi.ttf", "ZLT DataBar 13X 96dpi", 128, 13, 13, {1, 1, 1, 10}, {5, 1, 7}},
    {"ZLTDataBarEM.ttf", "ZLT DataBar EM", 61, 37, 34, {1, 1, 1, 34}, {15, 1, 21}},
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
// one full-advance-wide rectangle.
struct glyph_shape {
    int advance = 0;
    std::vector<span> dark;
};

// Dark spans of a column whose cells (top to bottom) have these heights.
std::vector<span> cellSpans(const char* pattern, const int* heights, int count, int module)
{
    int top = 0;
    for (int i = 0; i < count; ++i)
        top += heights[i];
    std::vector<span> spans;
    for (int i = 0; i < count; ++i) {
        const int bottom = top - heights[i];
        if (pattern[i] == '1') {
            if (!spans.empty() && spans.back().first == top * module)
                spans.back().first = bottom * module;
            else
                spans.emplace_back(bottom * module, top * module);
        }
        top = bottom;
    }
    std::reverse(spans.begin(), spans.end());
    return spans;
}

glyph_shape expectedShape(const font_geometry& g, char c)
{
    const int m = g.module;
    if (c >= 'b' && c <= 'i')
        return {(c - 'a' + 1) * m, {}};
    if (c >= '1' && c <= '9')
        return {(c - '0') * m, {{0, g.bar * m}}};
    if (auto it = fourCellPatterns.find(c); it != fourCellPatterns.end())
        return {m, cellSpans(it->second, g.fourCells, 4, m)};
    if (auto it = threeCellPatterns.find(c); it != threeCellPatterns.end())
        return {m, cellSpans(it->second, g.threeCells, 3, m)};
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

    // The glyph in font units; a contour that is not an axis-aligned rectangle of the whole
    // advance fails the test.
    glyph_shape shape(char c) const
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
            EXPECT_EQ(xs, (std::set<long>{0, s.advance})) << "glyph " << c << " must fill its advance";
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
    EXPECT_EQ(face->units_per_EM, 2048);

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
    EXPECT_EQ(os2->usWinAscent, line);
    EXPECT_EQ(os2->usWinDescent, 0);
    EXPECT_NE(os2->fsSelection & (1 << 7), 0) << "USE_TYPO_METRICS";
    EXPECT_EQ(os2->fsType, 0) << "installable embedding";
    EXPECT_EQ(face->height, line) << "lines must stack without a gap";
    EXPECT_EQ(face->bbox.yMin, 0);
    EXPECT_LE(face->bbox.yMax, line);
}

TEST_P(FontFile, EveryCharacterHasItsAdvanceAndCells)
{
    const font_geometry& g = GetParam();
    font_file font(fontPath(g));
    ASSERT_NE(font.face(), nullptr);
    for (const char c : repertoire) {
        ASSERT_TRUE(font.hasGlyph(c)) << "no glyph for " << c;
        const glyph_shape want = expectedShape(g, c);
        const glyph_shape got = font.shape(c);
        EXPECT_EQ(got.advance, want.advance) << "advance of " << c;
        EXPECT_EQ(got.dark, want.dark) << "dark cells of " << c;
    }
    // "a" is the one-module space and the all-light column at once.
    EXPECT_EQ(font.shape('a').advance, g.module);
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
