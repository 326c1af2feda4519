// SPDX-License-Identifier: Apache-2.0
// Code128_Uni and EAN128_Uni on typical inputs, through the exported functions.
#include "Tarnwick.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void encodeLoop(benchmark::State& state, int (*encode)(const char*, char*, int32_t), const char* input)
{
    char buffer[1024];
    for (auto _ : state) {
        const int n = encode(input, buffer, sizeof buffer);
        benchmark::DoNotOptimize(n);
        benchmark::ClobberMemory();
        if (n <= 0)
            state.SkipWithError("encode failed");
    }
}

void BM_Code128_TwoDigits(benchmark::State& state) { encodeLoop(state, Code128_Uni, "12"); }
void BM_Code128_Digits(benchmark::State& state) { encodeLoop(state, Code128_Uni, "123456789012"); }
void BM_Code128_MixedText(benchmark::State& state) { encodeLoop(state, Code128_Uni, "Order 4711-AB, box 12345~I~Mend"); }
void BM_Code128_Extended(benchmark::State& state) { encodeLoop(state, Code128_Uni, "Stra~d223e ~d200~d201~d202~d203 12"); }
// 89 characters of text with a few digit runs.
void BM_Code128_Text89(benchmark::State& state)
{
    encodeLoop(state, Code128_Uni,
               "Shipment 2026-12 / dock B: pallets 1 to 40, cartons per pallet 24, consignee Harrow & Son");
}
void BM_EAN128_OneElement(benchmark::State& state) { encodeLoop(state, EAN128_Uni, "(01)12345678901231"); }
void BM_EAN128_ThreeElements(benchmark::State& state)
{
    encodeLoop(state, EAN128_Uni, "(01)12345678901231(10)ABC123(17)091231");
}
void BM_EAN128_FiveElements(benchmark::State& state)
{
    encodeLoop(state, EAN128_Uni, "(00)123456789012345675(02)1234567890123(37)24(10)LOT 42(7004)X1");
}

// A message of `unit` repeated to state.range(0) bytes, encoded through the export.
void encodeRepeated(benchmark::State& state, const char* unit)
{
    std::string input;
    while (input.size() < static_cast<std::size_t>(state.range(0)))
        input += unit;
    std::vector<char> buffer(input.size() * 8 + 64);
    for (auto _ : state) {
        const int n = Code128_Uni(input.c_str(), buffer.data(), static_cast<int32_t>(buffer.size()));
        benchmark::DoNotOptimize(n);
        if (n <= 0)
            state.SkipWithError("encode failed");
    }
    state.SetComplexityN(state.range(0));
}

// Long messages that alternate digit runs with other characters: the cost must grow linearly.
void BM_Code128_LongAlternating(benchmark::State& state) { encodeRepeated(state, "1234A~11~1"); }

// FNC1 and a digit in turn: every position starts a long digit run of its own, so a look-ahead
// that walked each run again would grow with the square of the length.
void BM_Code128_LongFnc1Alternating(benchmark::State& state) { encodeRepeated(state, "~11"); }

}  // namespace

BENCHMARK(BM_Code128_TwoDigits);
BENCHMARK(BM_Code128_Digits);
BENCHMARK(BM_Code128_MixedText);
BENCHMARK(BM_Code128_Extended);
BENCHMARK(BM_Code128_Text89);
BENCHMARK(BM_EAN128_OneElement);
BENCHMARK(BM_EAN128_ThreeElements);
BENCHMARK(BM_EAN128_FiveElements);
BENCHMARK(BM_Code128_LongAlternating)->RangeMultiplier(8)->Range(64, 32768)->Complexity(benchmark::oN);
BENCHMARK(BM_Code128_LongFnc1Alternating)->RangeMultiplier(8)->Range(64, 131072)->Complexity(benchmark::oN);
