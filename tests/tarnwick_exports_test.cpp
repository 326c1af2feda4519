// SPDX-License-Identifier: Apache-2.0
// The exported interface of libTarnwick: names, result contract, buffer bounds.
#include "Tarnwick.h"

#include "exported_symbols.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

TEST(TarnwickExports, ExactlyTheSpecifiedNames)
{
    const std::set<std::string> expected = {
        "Code128_Uni",    "EAN128_Uni",         "DataBar14",       "DataBarLimited",      "DataBarStacked",
        "DataBarStackedOmni", "DataBarExpanded", "getMod10CheckDigit", "TarnwickVersionInfo", "TarnwickLastError",
    };
    EXPECT_EQ(strivane::exports::dynamicSymbols(TARNWICK_LIBRARY_PATH, "--defined-only", "TARNWICK_1"), expected);
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
    EXPECT_EQ(DataBarExpanded(tooLong.c_str(), 22, buffer, sizeof buffer), -1);
}

namespace {

using encoder_function = int (*)(const char*, char*, int32_t);

struct fixed_export {
    const char* name;
    encoder_function f;
    int length;  // font text length for "1234567890123"
};

const fixed_export fixedExports[] = {
    {"DataBar14", DataBar14, 46},
    {"DataBarLimited", DataBarLimited, 46},
    {"DataBarStacked", DataBarStacked, 50},
    {"DataBarStackedOmni", DataBarStackedOmni, 102},
};

constexpr char canary = '#';

}  // namespace

// n + 1 bytes give n, n bytes give 0 with nothing written, and no byte past the given
// size is ever touched.
TEST(TarnwickExports, FixedDataBarResultContract)
{
    for (const auto& e : fixedExports) {
        SCOPED_TRACE(e.name);
        std::string buffer(256, canary);
        const int n = e.f("1234567890123", buffer.data(), static_cast<int32_t>(buffer.size()));
        ASSERT_EQ(n, e.length);
        EXPECT_EQ(buffer[static_cast<std::size_t>(n)], '\0');
        const std::string text = buffer.substr(0, static_cast<std::size_t>(n));
        EXPECT_EQ(text.find('\0'), std::string::npos);

        for (int size : {0, 1, n - 1, n}) {
            std::string small(256, canary);
            EXPECT_EQ(e.f("1234567890123", small.data(), size), 0) << "size " << size;
            EXPECT_EQ(small, std::string(256, canary)) << "size " << size;
        }
        std::string exact(256, canary);
        EXPECT_EQ(e.f("1234567890123", exact.data(), n + 1), n);
        EXPECT_EQ(exact.substr(0, static_cast<std::size_t>(n) + 1), text + '\0');
        EXPECT_EQ(exact.substr(static_cast<std::size_t>(n) + 1), std::string(255 - n, canary));

        EXPECT_EQ(e.f("1234567890123", nullptr, 0), 0);
        EXPECT_EQ(e.f("1234567890123", nullptr, 1000), 0);
        // A GTIN may be written after "(01)" and with its check digit; what is no GTIN is refused.
        EXPECT_EQ(e.f("(01)12345678901231", buffer.data(), static_cast<int32_t>(buffer.size())), e.length);
        EXPECT_EQ(e.f("no digits", buffer.data(), static_cast<int32_t>(buffer.size())), -1);
    }
}

TEST(TarnwickExports, FixedDataBarTexts)
{
    char buffer[128];
    ASSERT_EQ(DataBar14("1234567890123", buffer, sizeof buffer), 46);
    EXPECT_STREQ(buffer, "a1a3a1b1f1b3h1a1d1a5a1a2a1c2b2b1a9c1a2a2c3c1a1");
    ASSERT_EQ(DataBarLimited("1234567890123", buffer, sizeof buffer), 46);
    EXPECT_STREQ(buffer, "a1b2b4b1a1c1b3a1a2a1a1a2b1b1a1b1a1a1b1a1e3c3a1");
    ASSERT_EQ(DataBarStacked("1234567890123", buffer, sizeof buffer), 50);
    EXPECT_STREQ(buffer, "jwjxyxkwkjxkkjlkkxkjxxxljljlkkkxkxlkjlwkwxxxykwjwj");
    ASSERT_EQ(DataBarStackedOmni("1234567890123", buffer, sizeof buffer), 102);
    EXPECT_STREQ(buffer, "amammmamaamaaaaaamaammmaaaaaaaamamaaaamammmmmamama\r\n"
                         "mammnpsqsumvsurvspspmpmumumuntnpsprvrunvnpmpnvamam");
}

// A negative size is a buffer too small for anything: 0, and nothing written.
TEST(TarnwickExports, NegativeSizeIsTooSmall)
{
    std::string buffer(64, canary);
    for (const auto& e : fixedExports)
        EXPECT_EQ(e.f("1234567890123", buffer.data(), -1), 0) << e.name;
    EXPECT_EQ(Code128_Uni("12", buffer.data(), INT32_MIN), 0);
    EXPECT_EQ(EAN128_Uni("(01)12345678901231", buffer.data(), -100), 0);
    EXPECT_EQ(DataBarExpanded("(01)12345678901231", 4, buffer.data(), -2), 0);
    EXPECT_EQ(buffer, std::string(64, canary));
}

// After -1 or 0 the calling thread's diagnostic says why; a success clears it.
TEST(TarnwickExports, LastErrorFollowsTheCallingThreadsLastCall)
{
    char message[512];
    char buffer[256];
    ASSERT_EQ(EAN128_Uni("(01)1234", buffer, sizeof buffer), -1);
    ASSERT_GT(TarnwickLastError(message, sizeof message), 0);
    EXPECT_STRNE(message, "");

    ASSERT_EQ(DataBar14("1234567890123", buffer, 10), 0);
    const int n = TarnwickLastError(message, sizeof message);
    ASSERT_GT(n, 0);
    EXPECT_STREQ(message, "the output buffer holds 10 bytes; the font text needs 47");
    EXPECT_EQ(TarnwickLastError(message, n), 0);     // one byte short of the zero byte
    EXPECT_EQ(TarnwickLastError(message, -5), 0);
    EXPECT_EQ(TarnwickLastError(message, n + 1), n);

    ASSERT_EQ(Code128_Uni("", buffer, sizeof buffer), -1);
    ASSERT_GT(TarnwickLastError(message, sizeof message), 0);
    EXPECT_STREQ(message, "no data to encode");

    ASSERT_GT(DataBar14("1234567890123", buffer, sizeof buffer), 0);
    EXPECT_EQ(TarnwickLastError(message, sizeof message), -1);
}
