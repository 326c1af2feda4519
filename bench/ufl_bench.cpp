// SPDX-License-Identifier: Apache-2.0
// U25Ferrow as the report engine calls it: the Set/Get pair for a long DataBar Expanded
// Stacked symbol (one Set, then one Get per 254-character piece), and a one-text formula.
// Figures are nanoseconds per sequence / call.
#include "ufl_engine.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct engine_call {
    ufl_param_element data{};
    ufl_param_element segments{};
    ufl_param_block block{};
    char result[UFL_RESULT_BUFFER_SIZE] = {};

    engine_call(const char* text, double segmentsPerRow)
    {
        data.value.string = text;
        data.next = &segments;
        segments.value.number = segmentsPerRow * 100.0;
        block.firstParameter = &data;
    }
    ufl_param_block* forString()
    {
        block.result.string = result;
        return &block;
    }
};

constexpr const char* longSymbol =
    "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";

void SetThenGets(benchmark::State& state, double segmentsPerRow)
{
    engine_call call(longSymbol, segmentsPerRow);
    ufl_param_block get{};
    char piece[UFL_RESULT_BUFFER_SIZE];
    for (auto _ : state) {
        if (Kelbrin_DataBarExpanded_Set(&call.block) != UFL_SUCCESS) {
            state.SkipWithError("Set failed");
            break;
        }
        const int pieces = static_cast<int>(std::lround(call.block.result.number / 100.0));
        for (int k = 0; k < pieces; ++k) {
            get.result.string = piece;
            benchmark::DoNotOptimize(Kelbrin_DataBarExpanded_Get(&get));
        }
    }
}

void DataBar14Formula(benchmark::State& state)
{
    engine_call call("1234567890123", 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(Kelbrin_DataBar14(call.forString()));
}

}  // namespace

BENCHMARK_CAPTURE(SetThenGets, ufl_expanded_2_segments, 2.0)->Threads(1)->Threads(2);
BENCHMARK_CAPTURE(SetThenGets, ufl_expanded_4_segments, 4.0)->Threads(1)->Threads(2);
BENCHMARK(DataBar14Formula)->Threads(1)->Threads(2);
