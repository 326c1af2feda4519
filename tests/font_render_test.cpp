// SPDX-License-Identifier: Apache-2.0
// Setting font text through the real fonts: sizes, geometry of the picture, PNG output.
#include "strivane_render/barcode_fonts.hpp"
#include "strivane_render/font_raster.hpp"
#include "strivane_render/png_writer.hpp"
#include "strivane_render/symbol_png.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_ADVANCES_H
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace Kelbrin::Render;
using Kelbrin::Tallowlib::symbology;

namespace {

std::string pathOf(std::string_view family)
{
    return locateFontFile(*findBarcodeFont(family)).value_or("");
}

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

struct png_chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

// Splits a PNG into chunks, checking the signature and every CRC.
std::vector<png_chunk> readChunks(const std::vector<std::uint8_t>& png)
{
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    std::vector<png_chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndian32(png, at);
        const auto* typeAndData = png.data() + at + 4;
        EXPECT_EQ(bigEndian32(png, at + 8 + length), crc32(0, typeAndData, length + 4));
        chunks.push_back({std::string(typeAndData, typeAndData + 4),
                          std::vector<std::uint8_t>(typeAndData + 4, typeAndData + 4 + length)});
        at += 12 + length;
    }
    return chunks;
}

// The picture as FreeType draws every glyph where it stands, straight into one picture of
// summed coverage: what font_rasterizer::render gives, worked out the plain way.
gray_image drawnInPlace(const std::string& fontPath, double pixelsPerEm, const std::vector<std::string>& lines,
                        double quietModules, int width, int height)
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    EXPECT_EQ(FT_Init_FreeType(&library), 0);
    EXPECT_EQ(FT_New_Face(library, fontPath.c_str(), 0, &face), 0);
    FT_Size_RequestRec request{FT_SIZE_REQUEST_TYPE_NOMINAL, std::lround(pixelsPerEm * 64), std::lround(pixelsPerEm * 64), 0, 0};
    FT_Request_Size(face, &request);
    const auto advance = [&](unsigned char c) {
        FT_Fixed linear = 0;
        FT_Get_Advance(face, FT_Get_Char_Index(face, c), FT_LOAD_NO_HINTING, &linear);
        return linear / 65536.0;
    };
    struct canvas { int width, height; std::vector<int> ink; } ink{width, height, std::vector<int>(std::size_t(width) * height)};
    FT_Raster_Params params{};
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = [](int y, int count, const FT_Span* spans, void* user) {
        auto& c = *static_cast<canvas*>(user);
        for (int i = 0; i < count; ++i)
            for (int x = std::max(0, int{spans[i].x}); x < std::min(c.width, spans[i].x + int{spans[i].len}); ++x)
                c.ink[std::size_t(c.height - 1 - y) * c.width + x] += spans[i].coverage;
    };
    params.user = &ink;
    params.clip_box = {0, 0, width, height};
    const double margin = quietModules * advance('a');
    const double lineHeight = face->height * double(face->size->metrics.y_scale) / (65536.0 * 64.0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        double penX = margin;
        for (const char c : lines[i]) {
            FT_Load_Glyph(face, FT_Get_Char_Index(face, static_cast<unsigned char>(c)), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP);
            FT_Outline_Translate(&face->glyph->outline, std::lround(penX * 64),
                                 std::lround((height - margin - lineHeight * double(i + 1)) * 64));
            FT_Outline_Render(library, &face->glyph->outline, &params);
            penX += advance(static_cast<unsigned char>(c));
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    gray_image picture(width, height);
    for (std::size_t p = 0; p < picture.pixels.size(); ++p)
        picture.pixels[p] = static_cast<std::uint8_t>(255 - std::min(255, ink.ink[p]));
    return picture;
}

}  // namespace

// Each character is drawn once per sub-pixel offset and its ink reused: the pictures are
// those of every glyph drawn where it stands, at sizes whose modules fall anywhere between
// pixels, in every font, whatever the rasterizer drew before.
TEST(FontRasterizer, KeptGlyphsGiveThePicturesOfGlyphsDrawnInPlace)
{
    const std::vector<std::vector<std::string>> texts = {
        {"a2b1c3d4e5f6g7h8i9", "Da1b2c3"}, {"2a1b1d", "DDa1", "9i8h7g"}, {"1a1a1a1a1a1a1a1a1a1a1a1"}};
    for (const auto& info : barcodeFonts) {
        font_rasterizer font(pathOf(info.family));
        for (const double pixelsPerModule : {0.7, 1.37, 2.0, 3.003, 4.9}) {
            const double pixelsPerEm = pixelsPerModule * fontUnitsPerEm / info.moduleUnits;
            font.setPixelsPerEm(pixelsPerEm);
            for (const auto& lines : texts) {
                const gray_image img = font.render(lines, 3.3);
                EXPECT_TRUE(img.pixels == drawnInPlace(pathOf(info.family), pixelsPerEm, lines, 3.3, img.width, img.height).pixels)
                    << info.family << " " << pixelsPerModule << " pixels per module, " << lines.front();
            }
        }
    }
}

TEST(PngWriter, GrayscaleRowsRoundTripThroughZlib)
{
    gray_image image(3, 2);
    image.pixels = {0, 128, 255, 7, 8, 9};
    const auto chunks = readChunks(encodePng(image, 300));
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(bigEndian32(chunks[0].data, 0), 3u);
    EXPECT_EQ(bigEndian32(chunks[0].data, 4), 2u);
    EXPECT_EQ(chunks[0].data[8], 8);  // bit depth
    EXPECT_EQ(chunks[0].data[9], 0);  // grayscale
    EXPECT_EQ(chunks[1].type, "pHYs");
    EXPECT_EQ(bigEndian32(chunks[1].data, 0), 11811u);  // 300 dpi in pixels per metre
    EXPECT_EQ(chunks[2].type, "IDAT");
    EXPECT_EQ(chunks[3].type, "IEND");

    // Every row filtered "Up": the difference from the row above (none above the first).
    std::vector<std::uint8_t> raw(8);
    uLongf size = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &size, chunks[2].data.data(), chunks[2].data.size()), Z_OK);
    EXPECT_EQ(raw, (std::vector<std::uint8_t>{2, 0, 128, 255, 2, 7, 8 + 256 - 128, 9 + 256 - 255}));

    EXPECT_EQ(readChunks(encodePng(image)).size(), 3u) << "no pHYs without a resolution";
    EXPECT_THROW(encodePng(gray_image{}), std::invalid_argument);
    EXPECT_THROW(writePng("/nonexistent-dir/x.png", image), std::runtime_error);
}

// Pictures of real symbols at several sizes (many rows, more than one IDAT chunk) come back from
// an independent decoder pixel for pixel, with their resolution.
TEST(PngWriter, RenderedSymbolsDecodeToTheSamePixels)
{
    font_rasterizer font(pathOf("ZLT DataBar 34X"));
    for (const double pixelsPerModule : {1.0, 3.3, 8.0}) {
        font.setPixelsPerEm(pixelsPerModule * fontUnitsPerEm / findBarcodeFont("ZLT DataBar 34X")->moduleUnits);
        const gray_image img = font.render({"a2b1c3d4", "Da1b2c3", "2a1b1d"});
        const auto bytes = encodePng(img, 600);

        png_image decoded{};
        decoded.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&decoded, bytes.data(), bytes.size())) << decoded.message;
        decoded.format = PNG_FORMAT_GRAY;
        std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(decoded));
        ASSERT_TRUE(png_image_finish_read(&decoded, nullptr, pixels.data(), 0, nullptr)) << decoded.message;
        EXPECT_EQ(static_cast<int>(decoded.width), img.width);
        EXPECT_EQ(static_cast<int>(decoded.height), img.height);
        EXPECT_TRUE(pixels == img.pixels) << pixelsPerModule << " pixels per module";

        const auto chunks = readChunks(bytes);
        ASSERT_GE(chunks.size(), 2u);
        EXPECT_EQ(bigEndian32(chunks[1].data, 0), 23622u);  // 600 dpi in pixels per metre
    }
}

TEST(DefaultSize, TheDesktopProgramsDefaultSizes)
{
    struct row {
        std::string_view family;
        int dpi;
        std::optional<int> points;
    };
    const row rows[] = {
        {"ZLT DataBar 34X", 300, 12},       {"ZLT DataBar 13X", 300, 12},
        {"ZLT DataBar 34X 96dpi", 300, 12}, {"ZLT DataBar 13X 96dpi", 1200, 12},
        {"ZLT DataBar EM", 300, 24},        {"ZLT DataBar 34X", 600, 12},
        {"ZLT DataBar 34X", 203, 12},       {"ZLT DataBar 34X", 1200, 12},
        {"ZLT DataBar 34X", 20, 12},        {"ZLT DataBar 34X", 19, std::nullopt},
        {"ZLT DataBar 34X", 0, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(defaultPointSize(*findBarcodeFont(r.family), r.dpi), r.points) << r.family << " " << r.dpi;
}

// The promise of the default size, measured on the real font's one-module advance: a module is
// a whole number of 0.1-point steps (the grid LibreOffice places glyphs on in a PDF, 720 dpi), so
// every one-module glyph of a line gets the same advance; and a whole number of printer dots at
// 300 and 600 dpi (screen fonts: pixels at 96 dpi), so every module prints equally wide.
TEST(DefaultSize, ModuleFallsOnTheGlyphGridAndOnWholeDots)
{
    for (const auto& info : barcodeFonts) {
        font_rasterizer font(pathOf(info.family));
        const auto points = defaultPointSize(info, 300);
        ASSERT_TRUE(points) << info.family;
        const auto grids = info.screenVariant ? std::vector<int>{720, 96} : std::vector<int>{720, 300, 600};
        for (const int dpi : grids) {
            font.setPointSize(*points, dpi);
            const double steps = font.modulePixels();
            EXPECT_GE(steps, 2.0) << info.family;
            // 1e-4: FreeType scales 1000 units per em in 16.16 fixed point.
            EXPECT_NEAR(steps, std::round(steps), 1e-4) << info.family << " at " << dpi << " dpi";
        }
    }
}

TEST(FontRasterizer, BarsStandOnTheBaselineAndLinesStackWithoutGap)
{
    font_rasterizer font(pathOf("ZLT DataBar 34X"));
    const auto& geometry = *findBarcodeFont("ZLT DataBar 34X");
    font.setPixelsPerEm(3.0 * fontUnitsPerEm / geometry.moduleUnits);  // 3 pixels per module
    EXPECT_NEAR(font.modulePixels(), 3.0, 0.001);
    EXPECT_NEAR(font.lineHeightPixels(), 37 * 3.0, 0.01);
    EXPECT_EQ(font.familyName(), "ZLT DataBar 34X");

    // Line 1: a 1-module space then a 2-module bar. Line 2: "D" (all four cells dark) then "a".
    const gray_image img = font.render({"a2", "Da"}, 2.0);
    EXPECT_EQ(img.width, 3 * (3 + 4));
    EXPECT_EQ(img.height, 3 * (2 * 37 + 4));
    const auto dark = [&](int moduleX, int moduleY) {
        // pixel at the centre of module (moduleX, moduleY), counted from the margin
        return img.at(6 + moduleX * 3 + 1, 6 + moduleY * 3 + 1) < 128;
    };
    EXPECT_FALSE(dark(0, 10));
    EXPECT_TRUE(dark(1, 3));    // bar: bottom 34 modules of line 1
    EXPECT_TRUE(dark(2, 36));
    EXPECT_FALSE(dark(1, 2));   // above the bar: the light cells of line 1
    EXPECT_TRUE(dark(0, 37));   // "D" fills line 2 from its very top ...
    EXPECT_TRUE(dark(0, 73));   // ... to its baseline
    EXPECT_FALSE(dark(1, 50));
    // A column's dark cells bleed into the next module's first pixel by a fraction of a pixel
    // (grey); a bar, whose neighbours are spaces, ends on its module edge.
    const double bleed = 3.0 * geometry.bleedUnits / geometry.moduleUnits;
    EXPECT_NEAR(img.at(6 + 3, 6 + 50 * 3), 255.0 * (1.0 - bleed), 16.0);
    EXPECT_GT(img.at(6 + 3 + 1, 6 + 50 * 3), 247);
    EXPECT_GT(img.at(6 + 3 * 3, 6 + 20 * 3), 247);
    EXPECT_LT(img.at(6 + 3 * 3 - 1, 6 + 20 * 3), 8);
}

TEST(SymbolPng, ChoosesFontSizeAndResolutionOrRefuses)
{
    const std::string out = ::testing::TempDir() + "/symbol.png";
    png_request request{out, "", std::nullopt, std::nullopt};
    const auto tall = writeSymbolPng(symbology::code128, {"2a1b1d"}, request);
    EXPECT_EQ(tall.fontFile, pathOf("ZLT DataBar 34X"));
    EXPECT_EQ(tall.points, 12.0);
    EXPECT_EQ(tall.dpi, 300);
    EXPECT_NEAR(tall.modulePixels, 5.0, 1e-9);  // 1.2 points

    request.font = "ZLT DataBar 13X 96dpi";
    const auto screen = writeSymbolPng(symbology::code128, {"2a1b1d"}, request);
    EXPECT_EQ(screen.dpi, 96);
    EXPECT_NEAR(screen.modulePixels, 2.0, 1e-9);

    request.font = pathOf("ZLT DataBar EM");  // a file path works too
    request.dpi = 600;
    EXPECT_EQ(writeSymbolPng(symbology::gs1_128, {"2a1b1d"}, request).points, 24.0);

    request.font = "ZLT DataBar 99X";
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
    request.font.clear();
    request.dpi = 10;  // no default size this coarse
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
    request.points = 2000.0;
    request.dpi = 300;
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
}
