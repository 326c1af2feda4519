// SPDX-License-Identifier: Apache-2.0
#include "strivane_render/font_raster.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace Kelbrin::Render {

namespace {

constexpr double maxPixels = 1 << 25;  // of a picture or a glyph: inside int indices and sane memory

FT_Pos toF26Dot6(double pixels) { return static_cast<FT_Pos>(std::lround(pixels * 64.0)); }

// A glyph's ink set at one sub-pixel offset (x and y in 1/64 pixel, 0 to 63) from a whole
// pixel: its box of pixels, left and bottom counted from that whole pixel, FreeType's y
// upwards, rows from the bottom. FreeType's rasteriser works on whole-pixel cells in
// integer arithmetic, so a glyph drawn a whole number of pixels further along is the same
// ink moved by as many pixels: each character is drawn once per offset it takes.
struct glyph_ink {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width * height
};

void addGlyphSpans(int y, int count, const FT_Span* spans, void* user)
{
    auto& glyph = *static_cast<glyph_ink*>(user);
    const int row = y - glyph.bottom;
    if (row < 0 || row >= glyph.height)
        return;
    for (int i = 0; i < count; ++i) {
        const int x0 = std::max(0, spans[i].x - glyph.left);
        const int x1 = std::min(glyph.width, spans[i].x + static_cast<int>(spans[i].len) - glyph.left);
        for (int x = x0; x < x1; ++x)
            glyph.coverage[static_cast<std::size_t>(row) * glyph.width + x] = spans[i].coverage;
    }
}

// Inks `glyph`, its whole-pixel origin at (x, y) (y upwards from the bottom edge), into the
// picture; what falls outside it is left out. The inks of the glyphs that touch a pixel add
// up (rectangles of neighbouring glyphs meet without overlapping, so the sum of their partial
// coverages is the true one): each takes its coverage off the pixel, down to black at most.
void inkGlyph(const glyph_ink& glyph, FT_Pos x, FT_Pos y, gray_image& image)
{
    const auto left = static_cast<int>(x) + glyph.left;
    const auto bottom = static_cast<int>(y) + glyph.bottom;
    const int x0 = std::max(0, -left);
    const int x1 = std::min(glyph.width, image.width - left);
    for (int r = std::max(0, -bottom); r < glyph.height && bottom + r < image.height; ++r) {
        const std::uint8_t* from = glyph.coverage.data() + static_cast<std::size_t>(r) * glyph.width;
        std::uint8_t* to = image.pixels.data() + static_cast<std::size_t>(image.height - 1 - bottom - r) * image.width;
        for (int i = x0; i < x1; ++i)
            to[left + i] = static_cast<std::uint8_t>(std::max(to[left + i], from[i]) - from[i]);
    }
}

}  // namespace

struct font_rasterizer::impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~impl()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    double unitsToPixels(double units) const
    {
        return units * static_cast<double>(face->size->metrics.y_scale) / (65536.0 * 64.0);
    }

    // Unhinted advances in pixels at the current size, per character code (the .notdef glyph's
    // for characters the font lacks).
    std::array<double, 256> advances{};

    void measureAdvances()
    {
        for (int c = 0; c < 256; ++c) {
            FT_Fixed linear = 0;
            const bool ok = FT_Get_Advance(face, FT_Get_Char_Index(face, static_cast<FT_ULong>(c)),
                                           FT_LOAD_NO_HINTING, &linear) == 0;
            advances[static_cast<std::size_t>(c)] = ok ? linear / 65536.0 : 0.0;
        }
    }

    double advance(unsigned char c) const { return advances[c]; }

    // The ink of every character at every sub-pixel offset drawn so far, by c << 12 | x << 6 | y;
    // emptied when the size changes.
    std::unordered_map<std::uint32_t, glyph_ink> inks;

    const glyph_ink& inkOf(unsigned char c, FT_Pos xOffset, FT_Pos yOffset)
    {
        const auto key = static_cast<std::uint32_t>(c) << 12 | static_cast<std::uint32_t>(xOffset) << 6 |
                         static_cast<std::uint32_t>(yOffset);
        const auto found = inks.find(key);
        if (found != inks.end())
            return found->second;
        glyph_ink glyph;  // kept only once drawn: a glyph too large to draw stays refused
        drawGlyph(c, xOffset, yOffset, glyph);
        return inks.emplace(key, std::move(glyph)).first->second;
    }

    // Sets the ink of character c at the sub-pixel offset; none when the font has no outline.
    void drawGlyph(unsigned char c, FT_Pos xOffset, FT_Pos yOffset, glyph_ink& glyph) const
    {
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
            return;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_contours == 0)
            return;
        FT_Outline_Translate(&slot->outline, xOffset, yOffset);
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        glyph.left = static_cast<int>(box.xMin >> 6);
        glyph.bottom = static_cast<int>(box.yMin >> 6);
        glyph.width = static_cast<int>((box.xMax + 63) >> 6) - glyph.left;
        glyph.height = static_cast<int>((box.yMax + 63) >> 6) - glyph.bottom;
        if (static_cast<double>(glyph.width) * glyph.height > maxPixels)
            throw std::length_error("glyph too large");
        glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);
        FT_Raster_Params params{};
        params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
        params.gray_spans = addGlyphSpans;
        params.user = &glyph;
        params.clip_box = {glyph.left, glyph.bottom, glyph.left + glyph.width, glyph.bottom + glyph.height};
        FT_Outline_Render(library, &slot->outline, &params);
    }
};

font_rasterizer::font_rasterizer(const std::string& fontPath) : d_(std::make_unique<impl>())
{
    if (FT_Init_FreeType(&d_->library) != 0)
        throw std::runtime_error("FreeType could not be initialised");
    if (FT_New_Face(d_->library, fontPath.c_str(), 0, &d_->face) != 0)
        throw std::runtime_error("cannot open font " + fontPath);
    if (!FT_IS_SCALABLE(d_->face)) {
        throw std::runtime_error("not a scalable font: " + fontPath);
    }
    setPixelsPerEm(d_->face->units_per_EM);
}

font_rasterizer::~font_rasterizer() = default;

void font_rasterizer::setPixelsPerEm(double pixelsPerEm)
{
    if (!(pixelsPerEm > 0.0 && pixelsPerEm < 100000.0))
        throw std::invalid_argument("font size out of range");
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.width = toF26Dot6(pixelsPerEm);
    request.height = request.width;
    if (FT_Request_Size(d_->face, &request) != 0)
        throw std::runtime_error("FreeType rejected the font size");
    d_->measureAdvances();
    d_->inks.clear();
}

void font_rasterizer::setPointSize(double points, int dpi)
{
    setPixelsPerEm(points * dpi / 72.0);
}

std::string font_rasterizer::familyName() const
{
    return d_->face->family_name ? d_->face->family_name : "";
}

double font_rasterizer::modulePixels() const { return d_->advance('a'); }

double font_rasterizer::lineHeightPixels() const { return d_->unitsToPixels(d_->face->height); }

gray_image font_rasterizer::render(const std::vector<std::string>& lines, double quietModules)
{
    gray_image image;
    render(lines, image, quietModules);
    return image;
}

void font_rasterizer::render(const std::vector<std::string>& lines, gray_image& image, double quietModules)
{
    const double margin = std::max(0.0, quietModules) * modulePixels();
    const double lineHeight = lineHeightPixels();
    double widest = 0.0;
    for (const auto& line : lines) {
        double w = 0.0;
        for (const char c : line)
            w += d_->advance(static_cast<unsigned char>(c));
        widest = std::max(widest, w);
    }
    // Whole pixels, not counting the last 1/64 pixel: FreeType's sizes are 26.6 fixed point.
    constexpr double slack = 1.0 / 64;
    const double width = std::max(1.0, std::ceil(widest + 2.0 * margin - slack));
    const double height = std::max(1.0, std::ceil(lineHeight * static_cast<double>(lines.size()) + 2.0 * margin - slack));
    if (width * height > maxPixels)
        throw std::length_error("picture too large");

    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 255);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The glyphs stand on the baseline and reach up one line height.
        const double baselineFromTop = margin + lineHeight * static_cast<double>(i + 1);
        const FT_Pos y = toF26Dot6(height - baselineFromTop);
        double penX = margin;
        for (const char c : lines[i]) {
            const auto uc = static_cast<unsigned char>(c);
            const FT_Pos x = toF26Dot6(penX);
            inkGlyph(d_->inkOf(uc, x & 63, y & 63), x >> 6, y >> 6, image);
            penX += d_->advance(uc);
        }
    }
}

}  // namespace Kelbrin::Render
