// SPDX-License-Identifier: Apache-2.0
// Setting font text in a barcode font with FreeType (at the default 12 points, 300 dpi) and
// writing the picture as PNG: the cost of `tarnwick --png` and of one font-proof symbol.
#include "strivane_render/barcode_fonts.hpp"
#include "strivane_render/font_raster.hpp"
#include "strivane_render/png_writer.hpp"

#include "tallowlib/symbol_text.hpp"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using Kelbrin::Tallowlib::symbology;
using namespace Kelbrin::Render;

std::vector<std::string> fontLines(symbology s, const char* input, int segments = 22)
{
    std::vector<std::string> lines;
    Kelbrin::Tallowlib::encodeFontLines(s, input, segments, lines);
    return lines;
}

void rasterise(benchmark::State& state, symbology s, const std::vector<std::string>& lines)
{
    const auto path = locateFontFile(fontForSymbology(s));
    if (!path) {
        state.SkipWithError("font not built");
        return;
    }
    font_rasterizer font(*path);
    font.setPointSize(12, 300);
    std::size_t pixels = 0;
    for (auto _ : state) {
        const gray_image img = font.render(lines);
        pixels = img.pixels.size();
        benchmark::DoNotOptimize(img.pixels.data());
    }
    state.counters["pixels"] = static_cast<double>(pixels);
}

void BM_Rasterise_DataBar14(benchmark::State& state)
{
    rasterise(state, symbology::databar14, fontLines(symbology::databar14, "0123456789012"));
}

void BM_Rasterise_ExpandedStacked4(benchmark::State& state)
{
    rasterise(state, symbology::databar_expanded,
              fontLines(symbology::databar_expanded, "(01)98898765432106(3202)012345(15)991231", 4));
}

void BM_Rasterise_Code128(benchmark::State& state)
{
    rasterise(state, symbology::code128, fontLines(symbology::code128, "Order 4711-AB, box 12345"));
}

void BM_EncodePng_ExpandedStacked4(benchmark::State& state)
{
    const auto path = locateFontFile(fontForSymbology(symbology::databar_expanded));
    if (!path) {
        state.SkipWithError("font not built");
        return;
    }
    font_rasterizer font(*path);
    font.setPointSize(12, 300);
    const gray_image img =
        font.render(fontLines(symbology::databar_expanded, "(01)98898765432106(3202)012345(15)991231", 4));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto png = encodePng(img, 300);
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_Rasterise_DataBar14);
BENCHMARK(BM_Rasterise_ExpandedStacked4);
BENCHMARK(BM_Rasterise_Code128);
BENCHMARK(BM_EncodePng_ExpandedStacked4);
