// SPDX-License-Identifier: Apache-2.0
// Round trip through independent readers: Tarnwick export -> font text -> module rows ->
// grayscale picture -> zbar and zxing-cpp, for seeded random GTINs.
#include "Tarnwick.h"
#include "scan_support.hpp"

#include "databar/databar_limited.hpp"
#include "tallowlib/font_text_reader.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using namespace strivane::scan;
using namespace Kelbrin::Tallowlib;

namespace {

constexpr int corpusSize = 2000;

using encoder_function = int (*)(const char*, char*, int32_t);

struct scanned_symbology {
    const char* name;
    encoder_function encode;
    std::uint64_t seed;
};

// The 13 digits of a random GTIN; `maxIndicator` limits the leading digit.
std::string randomGtin(std::mt19937_64& rng, int maxIndicator = 9)
{
    const std::uint64_t limit = (static_cast<std::uint64_t>(maxIndicator) + 1) * 1'000'000'000'000ULL;
    std::uniform_int_distribution<std::uint64_t> value(0, limit - 1);
    char text[16];
    std::snprintf(text, sizeof text, "%013llu", static_cast<unsigned long long>(value(rng)));
    return text;
}

std::string fontText(encoder_function encode, const std::string& input)
{
    char buffer[256];
    const int n = encode(input.c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

// Row heights in modules: separator rows 1X; data rows as the symbol's standard gives them.
std::vector<int> rowHeights(const std::string& name, const module_rows& m)
{
    std::vector<int> heights;
    int dataRows = 0;
    for (std::size_t i = 0; i < m.rows.size(); ++i) {
        if (!m.dataRow[i]) {
            heights.push_back(1);
            continue;
        }
        if (name == "DataBarStacked")
            heights.push_back(dataRows == 0 ? 5 : 7);
        else
            heights.push_back(33);
        ++dataRows;
    }
    return heights;
}

// "01" + the 13 digits + the GTIN check digit.
std::string expectedElementString(const std::string& gtin)
{
    return "01" + gtin + gs1CheckDigit(gtin);
}

std::vector<int> runLengths(const std::string& modules)
{
    std::vector<int> runs;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (i == 0 || modules[i] != modules[i - 1])
            runs.push_back(0);
        ++runs.back();
    }
    return runs;
}

std::string widthText(const std::vector<int>& runs, std::size_t from, std::size_t count)
{
    std::string text;
    for (std::size_t i = from; i < from + count; ++i)
        text.push_back(static_cast<char>('0' + runs[i]));
    return text;
}

int sum(const std::vector<int>& runs, std::size_t from, std::size_t count)
{
    return std::accumulate(runs.begin() + static_cast<std::ptrdiff_t>(from),
                           runs.begin() + static_cast<std::ptrdiff_t>(from + count), 0);
}

void PrintTo(const scanned_symbology& s, std::ostream* os) { *os << s.name; }

class DatabarScan : public testing::TestWithParam<scanned_symbology> {};

// The GTIN as a user writes it: with or without its check digit, after "(01)" or not, with
// blanks between the groups or not.
std::string writtenLikeAUser(std::mt19937_64& rng, const std::string& gtin)
{
    std::string digits = gtin;
    if (rng() % 2 == 0)
        digits += gs1CheckDigit(gtin);
    if (rng() % 2 == 0) {
        digits.insert(8, " ");
        digits.insert(1, " ");
    }
    switch (rng() % 3) {
    case 0: return digits;
    case 1: return "(01)" + digits;
    default: return "(01) " + digits;
    }
}

}  // namespace

// Both readers must read exactly one symbol holding "01" + GTIN + check digit.
TEST_P(DatabarScan, RandomGtinsReadBackByBothReaders)
{
    const scanned_symbology& s = GetParam();
    std::mt19937_64 rng(s.seed);
    int failures = 0;
    for (int n = 0; n < corpusSize && failures < 5; ++n) {
        const std::string gtin = randomGtin(rng);
        SCOPED_TRACE(gtin);
        const std::string text = fontText(s.encode, gtin);
        ASSERT_FALSE(text.empty());
        const module_rows m = readFontText(text);
        const gray_image image = renderModuleRows(m.rows, rowHeights(s.name, m));
        const std::string expected = expectedElementString(gtin);

        const auto zbar = decodeWithZbar(image);
        const auto zxing = decodeWithZxing(image, 1);
        // Every DataBar reading must hold the data. zbar, with all its symbologies on, now and
        // then also sees an EAN-2 add-on in the bars of a stacked symbol; readings of other
        // symbologies are not ours to judge.
        const auto allRead = [](const std::vector<decoded>& readings, const std::string& data) {
            bool any = false;
            for (const auto& d : readings) {
                if (d.format != "DataBar")
                    continue;
                if (d.data != data)
                    return false;
                any = true;
            }
            return any;
        };
        const bool zbarOk = allRead(zbar, expected);
        const bool zxingOk = allRead(zxing, expected.substr(2));
        if (!zbarOk || !zxingOk) {
            ++failures;
            ADD_FAILURE() << s.name << " " << gtin << ": zbar " << zbar.size() << " reading(s) "
                          << (zbar.empty() ? "-" : zbar[0].data) << ", zxing-cpp " << zxing.size() << " reading(s) "
                          << (zxing.empty() ? "-" : zxing[0].data) << ", expected " << expected;
            writePgm(image, std::string("scan-failure-") + s.name + "-" + gtin + ".pgm");
        }
    }
}

// zxing-cpp reads exactly the GTIN the written input means.
TEST_P(DatabarScan, GtinsWrittenAsUsersWriteThemReadBack)
{
    const scanned_symbology& s = GetParam();
    std::mt19937_64 rng(s.seed + 100);
    for (int n = 0; n < corpusSize / 4; ++n) {
        const std::string gtin = randomGtin(rng);
        const std::string written = writtenLikeAUser(rng, gtin);
        SCOPED_TRACE(written);
        const std::string text = fontText(s.encode, written);
        ASSERT_FALSE(text.empty());
        const module_rows m = readFontText(text);
        const auto zxing = decodeWithZxing(renderModuleRows(m.rows, rowHeights(s.name, m)), 1);
        ASSERT_EQ(zxing.size(), 1u);
        ASSERT_EQ(zxing[0].data, gtin + gs1CheckDigit(gtin));
    }
}

INSTANTIATE_TEST_SUITE_P(FixedDataBar, DatabarScan,
                         testing::Values(scanned_symbology{"DataBar14", DataBar14, 1401},
                                         scanned_symbology{"DataBarStacked", DataBarStacked, 1402},
                                         scanned_symbology{"DataBarStackedOmni", DataBarStackedOmni, 1403}),
                         [](const auto& info) { return std::string(info.param.name); });

// No reader here knows DataBar Limited: check the printed symbol's structure instead.
TEST(DatabarLimitedScan, RandomGtinsHaveAValidStructure)
{
    std::mt19937_64 rng(1404);
    for (int n = 0; n < corpusSize; ++n) {
        const std::string gtin = randomGtin(rng, 1);
        SCOPED_TRACE(gtin);
        const module_rows m = readFontText(fontText(DataBarLimited, gtin));
        ASSERT_EQ(m.rows.size(), 1u);
        const std::string& modules = m.rows[0];
        ASSERT_EQ(modules.size(), 74u);
        ASSERT_EQ(modules.substr(0, 2), "01");
        ASSERT_EQ(modules.substr(72), "01");
        const std::vector<int> runs = runLengths(modules);
        ASSERT_EQ(runs.size(), 46u);
        ASSERT_EQ(sum(runs, 2, 14), 26);   // left data character
        ASSERT_EQ(sum(runs, 16, 14), 18);  // check character
        ASSERT_EQ(sum(runs, 30, 14), 26);  // right data character
        const int checksum = limitedChecksum(widthText(runs, 2, 14), widthText(runs, 30, 14));
        ASSERT_EQ(widthText(runs, 16, 14), limitedCheckPattern(checksum));
    }
}
