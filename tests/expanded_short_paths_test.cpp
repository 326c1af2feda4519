// The DataBar Expanded entry path takes short cuts: widths straight to font lines with
// reused strings, and no human-readable text when it is not wanted. Each must give exactly
// what the long way gives.
#include "expanded/databar_expanded.hpp"
#include "tallowlib/errors.hpp"
#include "tallowlib/symbol_text.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace Kelbrin::Tallowlib;
using namespace Kelbrin::Tallowlib::detail;

namespace {

// Element strings of every encodation method, general-purpose modes and sizes, plus faults.
std::string randomElementString(std::mt19937& rng)
{
    static const char* const pieces[] = {
        "(01)98898765432106", "(01)12345678901231", "(01)12345678901234", "(3103)001750",
        "(3202)012345",       "(3203)012345",       "(3922)1234",         "(3932)9781234",
        "(3102)123456",       "(15)991231",         "(17)001332",         "(11)200229",
        "(10)ABC123",         "(21)xyz-42",         "(21)A!\"%&'()+:;<=>?_ b", "(10)12345678",
        "(7004)",             "(90)*,-./0123",      "(10)a#b",             "(91)\x80",
        "(10)ABCDEFGHIJKLMNOPQRSTUVWXYZ0123",       "(8020)",              "x",
    };
    std::string s;
    const auto parts = 1 + rng() % 5;
    for (unsigned i = 0; i < parts; ++i)
        s += pieces[rng() % std::size(pieces)];
    return s;
}

// What the encoder's element-width text gives through the general row builder.
std::vector<std::string> longWayLines(const char* input, int segments, std::string* humanReadable)
{
    std::string barcode, text;
    databar_expanded_encoder().encode(input, segments, barcode, text);
    std::vector<std::string> lines;
    expanded_row_builder(segments).fontLines(barcode, lines);
    *humanReadable = text;
    return lines;
}

}  // namespace

TEST(ExpandedShortPaths, FontLinesAndTextsMatchTheLongWay)
{
    static const int segmentChoices[] = {22, 2, 4, 6, 8, 10, 14, 20, 3, 0, -5};
    std::mt19937 rng(11);
    std::vector<std::string> lines = {"stale", "lines", "of", "another", "symbol", "left", "here"};
    int encoded = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string input = randomElementString(rng);
        const int segments = segmentChoices[rng() % std::size(segmentChoices)];
        std::string expectedText;
        std::vector<std::string> expected;
        try {
            expected = longWayLines(input.c_str(), segments, &expectedText);
        } catch (const invalid_ean128_format_error&) {
            EXPECT_THROW(encodeFontLines(symbology::databar_expanded, input.c_str(), segments, lines),
                         invalid_ean128_format_error)
                << input;
            EXPECT_TRUE(lines.empty()) << input;
            continue;
        }
        ++encoded;
        // Without text (into the lines of the previous symbol), then with it.
        encodeFontLines(symbology::databar_expanded, input.c_str(), segments, lines);
        ASSERT_EQ(lines, expected) << input << " / " << segments;
        std::string text = "stale";
        encodeFontLines(symbology::databar_expanded, input.c_str(), segments, lines, &text);
        ASSERT_EQ(lines, expected) << input << " / " << segments;
        ASSERT_EQ(text, expectedText) << input;
    }
    EXPECT_GT(encoded, 1000);  // the corpus must exercise the encoder, not only its failures
}
