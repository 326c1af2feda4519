// SPDX-License-Identifier: Apache-2.0
// Every export and every formula function called from several threads at once with mixed
// inputs: each result must equal the one computed on a single thread. Built once more under
// ThreadSanitizer by scripts/test.
#include "Tarnwick.h"
#include "ufl_engine_simulator.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using strivane::ufl_sim::argument;
using strivane::ufl_sim::engine;

struct export_call {
    int function;  // index into the dispatch below
    std::string input;
    int segments;
};

struct export_result {
    int code;
    std::string text;
    bool operator==(const export_result&) const = default;
};

export_result callExport(const export_call& c)
{
    char buffer[2048];
    int n = -1;
    switch (c.function) {
    case 0: n = Code128_Uni(c.input.c_str(), buffer, sizeof buffer); break;
    case 1: n = EAN128_Uni(c.input.c_str(), buffer, sizeof buffer); break;
    case 2: n = DataBar14(c.input.c_str(), buffer, sizeof buffer); break;
    case 3: n = DataBarLimited(c.input.c_str(), buffer, sizeof buffer); break;
    case 4: n = DataBarStacked(c.input.c_str(), buffer, sizeof buffer); break;
    case 5: n = DataBarStackedOmni(c.input.c_str(), buffer, sizeof buffer); break;
    case 6: n = DataBarExpanded(c.input.c_str(), c.segments, buffer, sizeof buffer); break;
    default: return {getMod10CheckDigit(c.input.c_str()), {}};
    }
    return {n, n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string()};
}

std::vector<export_call> mixedCalls()
{
    const std::vector<std::string> gtins = {"1234567890123", "2001234567890", "0123456789012", "7612345678900", "x"};
    const std::vector<std::string> elements = {
        "(01)98898765432106(3202)012345(15)991231", "(01)90012345678908(3103)001750",
        "(10)ABC123(21)xyz(240)part 7", "(00)106141411234567897", "(01)1234", "(7004)" + std::string(40, '5'),
        "(01)98898765432106(10)ABCDEFGHIJKLMNOPQRSTUVWX(21)abcdefgh"};
    const std::vector<std::string> code128 = {"12", "Hello, World!", "~d200~d201abc", "0123456789012345", "~"};
    std::vector<export_call> calls;
    for (const auto& s : code128)
        calls.push_back({0, s, 0});
    for (const auto& s : elements)
        calls.push_back({1, s, 0});
    for (int f = 2; f <= 5; ++f)
        for (const auto& s : gtins)
            calls.push_back({f, s, 0});
    for (const auto& s : elements)
        for (int segments : {2, 4, 6, 10, 22, -1, 0})
            calls.push_back({6, s, segments});
    for (const auto& s : gtins)
        calls.push_back({7, s, 0});
    return calls;
}

constexpr int threadCount = 4;
constexpr int roundsPerThread = 400;

}  // namespace

TEST(Stress, TarnwickExportsAgreeAcrossThreads)
{
    const auto calls = mixedCalls();
    std::vector<export_result> expected;
    for (const auto& c : calls)
        expected.push_back(callExport(c));

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            std::mt19937 rng(static_cast<unsigned>(t) + 1);
            for (int r = 0; r < roundsPerThread; ++r) {
                const std::size_t i = rng() % calls.size();
                if (!(callExport(calls[i]) == expected[i]))
                    ++mismatches;
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(mismatches.load(), 0);
}

TEST(Stress, FormulaFunctionsAgreeAcrossThreads)
{
    const engine e(U25FERROW_LIBRARY_PATH);
    ASSERT_TRUE(e.ready()) << e.loadError();

    struct formula_call {
        std::string name;
        std::vector<argument> args;
    };
    std::vector<formula_call> calls = {
        {"Kelbrin_Code128_Uni", {std::string("Hello")}},
        {"Kelbrin_EAN128_Uni", {std::string("(01)98898765432106(15)991231")}},
        {"Kelbrin_DataBar14", {std::string("1234567890123")}},
        {"Kelbrin_DataBarLimited", {std::string("0123456789012")}},
        {"Kelbrin_DataBarStacked", {std::string("2001234567890")}},
        {"Kelbrin_DataBarStackedOmni", {std::string("7612345678900")}},
        {"Kelbrin_DataBarExpanded", {std::string("(01)98898765432106(3202)012345"), 22.0}},
        {"Kelbrin_DataBarExpanded", {std::string("(10)ABC"), 4.0}},
        {"Kelbrin_Mod10", {std::string("1234567")}},
        {"Kelbrin_EAN128_Uni", {std::string("(01)12")}},
        {"Kelbrin_DataBar14", {}},
    };
    std::vector<strivane::ufl_sim::call_result> expected;
    for (const auto& c : calls)
        expected.push_back(e.call(c.name, c.args));
    const std::string longData = "(01)98898765432106(15)991231(10)ABCDEFGH123456(21)SERIAL0042";
    std::vector<std::vector<std::string>> expectedPieces;
    for (double segments : {2.0, 4.0, 6.0}) {
        auto pieces = strivane::ufl_sim::setAndGetPieces(e, longData, segments);
        ASSERT_TRUE(pieces.has_value());
        expectedPieces.push_back(*pieces);
    }

    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t)
        threads.emplace_back([&, t] {
            std::mt19937 rng(static_cast<unsigned>(t) + 11);
            for (int r = 0; r < roundsPerThread / 4; ++r) {
                const std::size_t i = rng() % (calls.size() + 3);
                if (i >= calls.size()) {  // a whole Set/Get sequence, on this thread's own state
                    const std::size_t k = i - calls.size();
                    const auto pieces = strivane::ufl_sim::setAndGetPieces(e, longData, 2.0 * static_cast<double>(k + 1));
                    if (!pieces || *pieces != expectedPieces[k])
                        ++mismatches;
                    continue;
                }
                const auto got = e.call(calls[i].name, calls[i].args);
                if (got.code != expected[i].code || got.text != expected[i].text ||
                    got.errorIndex != expected[i].errorIndex || !got.bufferIntact)
                    ++mismatches;
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(mismatches.load(), 0);
}
