// SPDX-License-Identifier: Apache-2.0
// libU25Ferrow exports exactly the engine's entry points and formula functions, and carries
// its own encoder core instead of leaning on libTarnwick.
#include "exported_symbols.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

using strivane::exports::commandLines;

namespace {

// The library's dynamic symbols as `nm -D <nmOptions>` lists them.
std::set<std::string> symbolNames(const std::string& nmOptions)
{
    return strivane::exports::dynamicSymbols(U25FERROW_LIBRARY_PATH, nmOptions, "U25FERROW_1");
}

}  // namespace

TEST(UflExports, ExactlyTheEngineNames)
{
    const std::set<std::string> expected = {
        "UF5Initialize",          "UFGetVersion",
        "UFTerminate",            "UFGetFunctionTemplates",
        "UFGetFunctionExamples",  "UF5GetFunctionDefStrings",
        "UFErrorRecovery",        "UFStartJob",
        "UFEndJob",               "Kelbrin_Code128_Uni",
        "Kelbrin_EAN128_Uni",     "Kelbrin_DataBar14",
        "Kelbrin_DataBarLimited", "Kelbrin_DataBarStacked",
        "Kelbrin_DataBarStackedOmni", "Kelbrin_DataBarExpanded",
        "Kelbrin_Mod10",          "Kelbrin_DataBarExpanded_Set",
        "Kelbrin_DataBarExpanded_Get",
    };
    EXPECT_EQ(symbolNames("--defined-only"), expected);
}

TEST(UflExports, NeedsNoTarnwick)
{
    for (const std::string& line : commandLines(std::string("readelf -d ") + U25FERROW_LIBRARY_PATH))
        EXPECT_EQ(line.find("Tarnwick"), std::string::npos) << line;
    const std::set<std::string> undefined = symbolNames("--undefined-only");
    EXPECT_FALSE(undefined.empty());  // the C and C++ runtimes at least
    for (const char* name : {"Code128_Uni", "EAN128_Uni", "DataBar14", "DataBarLimited", "DataBarStacked",
                             "DataBarStackedOmni", "DataBarExpanded", "getMod10CheckDigit"})
        EXPECT_EQ(undefined.count(name), 0u) << name;
}
