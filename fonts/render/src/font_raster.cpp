#include "strivane_render/font_raster.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace Kelbrin::Render {

namespace {

// Ink coverage per pixel, summed over the glyphs that touch it. Rectangles of neighbouring
// glyphs meet without overlapping, so the sum of their partial coverages is the true one.
struct ink_canvas {
    int width;
    int height;
    std::vector<int> ink;
};

void addSpans(int y, int count, const FT_Span* spans, void* user)
{
    auto& canvas = *static_cast<ink_canvas*>(user);
    const int row = canvas.height - 1 - y;  // FreeType's y grows upwards
    if (row < 0 || row >= canvas.height)
        return;
    for (int i = 0; i < count; ++i) {
        const int x0 = std::max(0, static_cast<int>(spans[i].x));
        const int x1 = std::min(canvas.width, static_cast<int>(spans[i].x) + static_cast<int>(spans[i].len));
        for (int x = x0; x < x1; ++x)
            canvas.ink[static_cast<std::size_t>(row) * canvas.width + x] += spans[i].coverage;
    }
}

FT_Pos toF26Dot6(double pixels) { return static_cast<FT_Pos>(std::lround(pixels * 64.0)); }

}  // namespace

struct font_rasterizer::impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::vector<int> scratchInk;  // the last picture's ink sums, kept for the memory

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

    void drawGlyph(unsigned char c, double penX, double baselineUp, ink_canvas& canvas) const
    {
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, c), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
            return;
        FT_GlyphSlot slot = face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_contours == 0)
            return;
        FT_Outline_Translate(&slot->outline, toF26Dot6(penX), toF26Dot6(baselineUp));
        FT_Raster_Params params{};
        params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
        params.gray_spans = addSpans;
        params.user = &canvas;
        params.clip_box = {0, 0, canvas.width, canvas.height};
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
    constexpr double maxPixels = 1 << 25;  // keeps the canvas inside int indices and sane memory
    if (width * height > maxPixels)
        throw std::length_error("picture too large");

    ink_canvas canvas{static_cast<int>(width), static_cast<int>(height), std::move(d_->scratchInk)};
    canvas.ink.assign(static_cast<std::size_t>(canvas.width) * canvas.height, 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The glyphs stand on the baseline and reach up one line height.
        const double baselineFromTop = margin + lineHeight * static_cast<double>(i + 1);
        const double baselineUp = height - baselineFromTop;
        double penX = margin;
        for (const char c : lines[i]) {
            const auto uc = static_cast<unsigned char>(c);
            d_->drawGlyph(uc, penX, baselineUp, canvas);
            penX += d_->advance(uc);
        }
    }

    image.width = canvas.width;
    image.height = canvas.height;
    image.pixels.resize(canvas.ink.size());
    // Through plain pointers: stores through a byte pointer would otherwise make the compiler
    // reload the vectors' bounds for every pixel.
    const int* ink = canvas.ink.data();
    std::uint8_t* pixels = image.pixels.data();
    for (std::size_t p = 0, n = image.pixels.size(); p < n; ++p)
        pixels[p] = static_cast<std::uint8_t>(255 - std::min(255, ink[p]));
    d_->scratchInk = std::move(canvas.ink);
}

}  // namespace Kelbrin::Render
