#include "Tarnwick.h"

#include <benchmark/benchmark.h>

static void BM_CheckDigit(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(getMod10CheckDigit("1234567890123"));
}
BENCHMARK(BM_CheckDigit);
