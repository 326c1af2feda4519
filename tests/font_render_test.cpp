// Setting font text through the real fonts: sizes, geometry of the picture, PNG output.
#include "strivane_render/barcode_fonts.hpp"
#include "strivane_render/font_raster.hpp"
#include "strivane_render/png_writer.hpp"
#include "strivane_render/symbol_png.hpp"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

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

}  // namespace

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

    std::vector<std::uint8_t> raw(8);
    uLongf size = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &size, chunks[2].data.data(), chunks[2].data.size()), Z_OK);
    EXPECT_EQ(raw, (std::vector<std::uint8_t>{0, 0, 128, 255, 0, 7, 8, 9}));

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
        {"ZLT DataBar 34X", 300, 8},        {"ZLT DataBar 13X", 300, 8},
        {"ZLT DataBar 34X 96dpi", 300, 12}, {"ZLT DataBar 13X 96dpi", 1200, 12},
        {"ZLT DataBar EM", 300, 16},        {"ZLT DataBar 34X", 600, 8},
        {"ZLT DataBar 34X", 203, 8},        {"ZLT DataBar 34X", 1200, 8},
        {"ZLT DataBar 34X", 20, 8},         {"ZLT DataBar 34X", 19, std::nullopt},
        {"ZLT DataBar 34X", 0, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(defaultPointSize(*findBarcodeFont(r.family), r.dpi), r.points) << r.family << " " << r.dpi;
}

// The promise of the default size: measured on the real font's one-module advance, a module is
// a whole number of 0.1-point steps (the grid LibreOffice places glyphs on in a PDF, 720 dpi),
// so every one-module glyph of a line gets the same advance.
TEST(DefaultSize, ModuleFallsOnTheWordProcessorsGlyphGrid)
{
    for (const auto& info : barcodeFonts) {
        font_rasterizer font(pathOf(info.family));
        for (const int dpi : {96, 300, 600, 1200}) {
            const auto points = defaultPointSize(info, dpi);
            ASSERT_TRUE(points) << info.family << " " << dpi;
            font.setPointSize(*points, 720);
            const double steps = font.modulePixels();
            EXPECT_GE(steps, 5.0) << info.family;
            EXPECT_NEAR(steps, std::round(steps), 1e-9) << info.family << " at " << *points << " points";
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
    EXPECT_EQ(tall.points, 8.0);
    EXPECT_EQ(tall.dpi, 300);
    EXPECT_NEAR(tall.modulePixels, 300.0 / 72.0, 0.03);  // one point

    request.font = "ZLT DataBar 13X 96dpi";
    const auto screen = writeSymbolPng(symbology::code128, {"2a1b1d"}, request);
    EXPECT_EQ(screen.dpi, 96);
    EXPECT_NEAR(screen.modulePixels, 2.0, 1e-9);

    request.font = pathOf("ZLT DataBar EM");  // a file path works too
    request.dpi = 600;
    EXPECT_EQ(writeSymbolPng(symbology::gs1_128, {"2a1b1d"}, request).points, 16.0);

    request.font = "ZLT DataBar 99X";
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
    request.font.clear();
    request.dpi = 10;  // no default size this coarse
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
    request.points = 2000.0;
    request.dpi = 300;
    EXPECT_THROW(writeSymbolPng(symbology::code128, {"2a"}, request), std::runtime_error);
}
