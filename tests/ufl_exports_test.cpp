// libU25Ferrow exports exactly the engine's entry points and formula functions, and carries
// its own encoder core instead of leaning on libTarnwick.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

std::vector<std::string> commandLines(const std::string& command)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> lines;
    if (!pipe)
        return lines;
    std::array<char, 512> line{};
    while (fgets(line.data(), static_cast<int>(line.size()), pipe.get())) {
        std::string s(line.data());
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        lines.push_back(s);
    }
    return lines;
}

// Last field of each `nm` line, without its symbol version.
std::set<std::string> symbolNames(const std::string& nmOptions)
{
    std::set<std::string> names;
    for (const std::string& s : commandLines("nm -D " + nmOptions + " " + U25FERROW_LIBRARY_PATH)) {
        const auto space = s.rfind(' ');
        std::string name = space == std::string::npos ? s : s.substr(space + 1);
        if (const auto at = name.find('@'); at != std::string::npos)
            name.erase(at);
        if (!name.empty() && name != "U25FERROW_1")
            names.insert(name);
    }
    return names;
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
