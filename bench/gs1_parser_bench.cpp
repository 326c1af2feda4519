// SPDX-License-Identifier: Apache-2.0
#include "gs1/ai_dictionary.hpp"
#include "gs1/ean128_parser.hpp"

#include <benchmark/benchmark.h>

#include <vector>

using namespace Kelbrin::Tallowlib;

namespace {

// Parses and checks a whole input as GS1-128 and DataBar Expanded do, style 2.
void parseAll(benchmark::State& state, const char* input)
{
    std::vector<ean128_element> records;
    records.reserve(8);
    for (auto _ : state) {
        records.clear();
        benchmark::DoNotOptimize(parseElementStrings(input, 0, hr_as_typed, records));
        benchmark::DoNotOptimize(records.data());
    }
}

void BM_ParseThreeElements(benchmark::State& state)
{
    parseAll(state, "(01)98898765432106(3202)012345(15)991231");
}
BENCHMARK(BM_ParseThreeElements);

void BM_ParseThreeElementsVariable(benchmark::State& state)
{
    parseAll(state, "(01)1234567890123(10)ABC 123(21)98765432");
}
BENCHMARK(BM_ParseThreeElementsVariable);

// Late rows: a walk past every pattern row before the literal match.
void BM_ParseLateRows(benchmark::State& state)
{
    parseAll(state, "(8020)REF123(7003)1201311530(98)INTERNAL");
}
BENCHMARK(BM_ParseLateRows);

// The message builders' way without texts.
void BM_ParseThreeElementsData(benchmark::State& state)
{
    for (auto _ : state) {
        ean128_parser parser("(01)98898765432106(3202)012345(15)991231", skip_text, hr_as_typed);
        ean128_element element;
        int status;
        while ((status = parser.nextElement(element)) == 0)
            benchmark::DoNotOptimize(element.data);
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BM_ParseThreeElementsData);

void BM_ParseGroupedStyle(benchmark::State& state)
{
    std::vector<ean128_element> records;
    for (auto _ : state) {
        records.clear();
        benchmark::DoNotOptimize(
            parseElementStrings("(00)012345678901234560(01)12345678901231(410)1234567890128", 0, hr_grouped, records));
    }
}
BENCHMARK(BM_ParseGroupedStyle);

void BM_LookupPatternRow(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(findAiDefinition("3932"));
}
BENCHMARK(BM_LookupPatternRow);

}  // namespace
