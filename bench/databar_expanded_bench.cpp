// SPDX-License-Identifier: Apache-2.0
// DataBarExpanded through the export: a one-row symbol and a four-segment stacked one.
#include "Tarnwick.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

void expandedExport(benchmark::State& state, const char* input, int segmentsPerRow)
{
    std::array<char, 2048> buffer{};
    for (auto _ : state) {
        const int n = DataBarExpanded(input, segmentsPerRow, buffer.data(), static_cast<int>(buffer.size()));
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(buffer.data());
    }
}

void BM_DataBarExpanded_OneRow(benchmark::State& state)
{
    expandedExport(state, "(01)98898765432106(3202)012345(15)991231", 22);
}
BENCHMARK(BM_DataBarExpanded_OneRow);

void BM_DataBarExpanded_OneRowGeneral(benchmark::State& state)
{
    expandedExport(state, "(01)12345678901231(10)ABC123(21)xyz-42", 22);
}
BENCHMARK(BM_DataBarExpanded_OneRowGeneral);

void BM_DataBarExpanded_FourSegments(benchmark::State& state)
{
    expandedExport(state, "(01)98898765432106(3202)012345(15)991231", 4);
}
BENCHMARK(BM_DataBarExpanded_FourSegments);

void BM_DataBarExpanded_FourSegmentsGeneral(benchmark::State& state)
{
    expandedExport(state, "(01)12345678901231(10)ABC123(21)xyz-42", 4);
}
BENCHMARK(BM_DataBarExpanded_FourSegmentsGeneral);

}  // namespace
