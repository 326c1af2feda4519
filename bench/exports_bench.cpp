// SPDX-License-Identifier: Apache-2.0
// Every Tarnwick export on representative inputs, with one and two threads.
// Figures are nanoseconds per call, font text included.
#include "Tarnwick.h"

#include <benchmark/benchmark.h>

namespace {

using one_text_fn = int (*)(const char*, char*, int32_t);

void runOneText(benchmark::State& state, one_text_fn fn, const char* input)
{
    char buffer[2048];
    for (auto _ : state) {
        const int n = fn(input, buffer, sizeof buffer);
        benchmark::DoNotOptimize(n);
        if (n <= 0)
            state.SkipWithError("encode failed");
    }
}

void runExpanded(benchmark::State& state, const char* input, int segments)
{
    char buffer[2048];
    for (auto _ : state) {
        const int n = DataBarExpanded(input, segments, buffer, sizeof buffer);
        benchmark::DoNotOptimize(n);
        if (n <= 0)
            state.SkipWithError("encode failed");
    }
}

// Two different symbologies per iteration, in turn. With two threads each thread starts with
// a different one, so the threads mostly encode different symbologies at the same moment:
// the two-thread time per call against the one-thread time shows how well they scale.
void runPair(benchmark::State& state, one_text_fn first, const char* firstInput, one_text_fn second,
             const char* secondInput)
{
    char buffer[2048];
    const bool swap = state.thread_index() % 2 == 1;
    one_text_fn fns[2] = {swap ? second : first, swap ? first : second};
    const char* inputs[2] = {swap ? secondInput : firstInput, swap ? firstInput : secondInput};
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            const int n = fns[k](inputs[k], buffer, sizeof buffer);
            benchmark::DoNotOptimize(n);
            if (n <= 0)
                state.SkipWithError("encode failed");
        }
    }
}

int expandedOneRow(const char* input, char* output, int32_t size) { return DataBarExpanded(input, 22, output, size); }

constexpr const char* gtin = "1234567890123";
constexpr const char* longCode128 =
    "Strivane 2026: lot 0123456789 ~d200~d201 shipped to Dock 7, bin A-12; 99887766554433221100";
constexpr const char* threeElements = "(01)98898765432106(3202)012345(15)991231";
constexpr const char* longExpanded = "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";

}  // namespace

BENCHMARK_CAPTURE(runOneText, DataBar14, DataBar14, gtin)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, DataBarLimited, DataBarLimited, gtin)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, DataBarStacked, DataBarStacked, gtin)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, DataBarStackedOmni, DataBarStackedOmni, gtin)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, Code128_short, Code128_Uni, "12")->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, Code128_long, Code128_Uni, longCode128)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runOneText, EAN128_three_elements, EAN128_Uni, threeElements)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runExpanded, Expanded_one_row, threeElements, 22)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runExpanded, Expanded_4_segments, threeElements, 4)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runExpanded, Expanded_2_segments_long, longExpanded, 2)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(runExpanded, Expanded_8_segments_long, longExpanded, 8)->Threads(1)->Threads(2);

BENCHMARK_CAPTURE(runPair, DataBar14_and_Code128_long, DataBar14, gtin, Code128_Uni, longCode128)
    ->Threads(1)
    ->Threads(2);
BENCHMARK_CAPTURE(runPair, StackedOmni_and_EAN128, DataBarStackedOmni, gtin, EAN128_Uni, threeElements)
    ->Threads(1)
    ->Threads(2);
BENCHMARK_CAPTURE(runPair, Expanded_and_Limited, expandedOneRow, threeElements, DataBarLimited, gtin)
    ->Threads(1)
    ->Threads(2);

static void CheckDigit(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(getMod10CheckDigit(gtin));
}
BENCHMARK(CheckDigit);
