// The exported interface of libTarnwick: names, result contract, buffer bounds.
#include "Tarnwick.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

namespace {

std::set<std::string> exportedNames(const char* library)
{
    const std::string command = std::string("nm -D --defined-only ") + library;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::set<std::string> names;
    if (!pipe)
        return names;
    std::array<char, 512> line{};
    while (fgets(line.data(), static_cast<int>(line.size()), pipe.get())) {
        std::string s(line.data());
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        const auto space = s.rfind(' ');
        std::string name = space == std::string::npos ? s : s.substr(space + 1);
        if (const auto at = name.find('@'); at != std::string::npos)
            name.erase(at);  // symbol version suffix
        if (!name.empty() && name != "TARNWICK_1")
            names.insert(name);
    }
    return names;
}

}  // namespace

TEST(TarnwickExports, ExactlyTheSpecifiedNames)
{
    const std::set<std::string> expected = {
        "Code128_Uni",    "EAN128_Uni",         "DataBar14",       "DataBarLimited",      "DataBarStacked",
        "DataBarStackedOmni", "DataBarExpanded", "getMod10CheckDigit", "TarnwickVersionInfo",
    };
    EXPECT_EQ(exportedNames(TARNWICK_LIBRARY_PATH), expected);
}

TEST(TarnwickExports, CheckDigit)
{
    EXPECT_EQ(getMod10CheckDigit("1234567890123"), 1);
    EXPECT_EQ(getMod10CheckDigit(""), 0);
    EXPECT_EQ(getMod10CheckDigit(nullptr), 0);
    EXPECT_EQ(getMod10CheckDigit("400638133393"), 1);
}

TEST(TarnwickExports, EmptyOrNullInputIsMinusOneWhateverTheBuffer)
{
    char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    using fn = int (*)(const char*, char*, int32_t);
    for (fn f : {Code128_Uni, EAN128_Uni, DataBar14, DataBarLimited, DataBarStacked, DataBarStackedOmni}) {
        EXPECT_EQ(f("", buffer, sizeof buffer), -1);
        EXPECT_EQ(f(nullptr, buffer, sizeof buffer), -1);
        EXPECT_EQ(f("", nullptr, 0), -1);
    }
    EXPECT_EQ(DataBarExpanded("", 22, buffer, sizeof buffer), -1);
    EXPECT_EQ(DataBarExpanded(nullptr, 4, buffer, sizeof buffer), -1);
    EXPECT_EQ(std::string(buffer, sizeof buffer), "xxxxxxxx");
}

TEST(TarnwickExports, VersionInfo)
{
    EXPECT_STREQ(TarnwickVersionInfo.productName, "Tarnwick");
    EXPECT_NE(TarnwickVersionInfo.fileVersionMS | TarnwickVersionInfo.fileVersionLS, 0u);
}

TEST(TarnwickExports, ElementTooLongForItsRecordIsRefusedNotCut)
{
    char buffer[2048];
    const std::string fits = "(7004)" + std::string(39, '5');
    const std::string tooLong = "(7004)" + std::string(40, '5');
    EXPECT_GT(EAN128_Uni(fits.c_str(), buffer, sizeof buffer), 0);
    EXPECT_EQ(EAN128_Uni(tooLong.c_str(), buffer, sizeof buffer), -1);
    EXPECT_EQ(EAN128_Uni("(1234567890)1", buffer, sizeof buffer), -1);
}
