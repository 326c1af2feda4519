// SPDX-License-Identifier: Apache-2.0
// The DataBar fixed-length encoders inside the core: element widths, then each font text.
#include "databar/databar14.hpp"
#include "databar/databar_limited.hpp"
#include "databar/databar_stacked.hpp"

#include <benchmark/benchmark.h>

using namespace Kelbrin::Tallowlib;

namespace {

constexpr const char* gtin = "1234567890123";

void Databar14ElementWidths(benchmark::State& state)
{
    std::string widths, human;
    for (auto _ : state) {
        databar14_encoder().encode(gtin, widths, human);
        benchmark::DoNotOptimize(widths.data());
    }
}

void DatabarLimitedElementWidths(benchmark::State& state)
{
    std::string widths, human;
    for (auto _ : state) {
        databar_limited_encoder().encode(gtin, widths, human);
        benchmark::DoNotOptimize(widths.data());
    }
}

// The element widths alone, into a fixed array: the first input's characters come from
// groups of a few hundred to a few thousand width sets, the second's both from the largest.
void DatabarLimitedElements(benchmark::State& state, const char* input)
{
    const gtin_digits digits = gtinDigits(input);
    for (auto _ : state) {
        const databar_limited_elements elements = databarLimitedElements(digits);
        benchmark::DoNotOptimize(elements.data());
    }
}

void StackedFontText(benchmark::State& state)
{
    std::string widths, human;
    databar14_encoder().encode(gtin, widths, human);
    for (auto _ : state)
        benchmark::DoNotOptimize(stackedFontText(widths));
}

// Rows as module bits, separators worked out from them, the two lines written from the bits.
void StackedOmniFontLines(benchmark::State& state)
{
    std::string widths, human;
    databar14_encoder().encode(gtin, widths, human);
    std::vector<std::string> lines;
    for (auto _ : state) {
        omniFontLines(widths, lines);
        benchmark::DoNotOptimize(lines.data());
    }
}

void RssWidthsLimitedWidest(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rssWidths(17093, 19, 7, 8, true));
}

}  // namespace

BENCHMARK(Databar14ElementWidths);
BENCHMARK(DatabarLimitedElementWidths);
BENCHMARK_CAPTURE(DatabarLimitedElements, small_groups, gtin);
BENCHMARK_CAPTURE(DatabarLimitedElements, largest_groups, "0201359090000");
BENCHMARK(StackedFontText);
BENCHMARK(StackedOmniFontLines);
BENCHMARK(RssWidthsLimitedWidest);
