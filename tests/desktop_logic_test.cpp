// SPDX-License-Identifier: Apache-2.0
// Barwright's logic apart from its widgets: size lists, labels, X dimension, versions, atoi,
// RTF, dialog units and the encoder-library binding.
#include "decimal_value.hpp"
#include "dialog_units.hpp"
#include "encoder_library.hpp"
#include "file_version_info.hpp"
#include "font_sizes.hpp"
#include "rtf_writer.hpp"
#include "version_text.hpp"
#include "x_dimension.hpp"

#include "tallowlib/font_geometry.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <cmath>
#include <vector>

using namespace Kelbrin::Barwright;
using Kelbrin::Tallowlib::unitsPerInchAtOnePoint;

namespace {

std::vector<int> points(const size_candidates& c)
{
    std::vector<int> result;
    for (int v : c.values)
        result.push_back(v / 100);
    return result;
}

TEST(FontSizes, CandidatesAndDefaultPerResolutionAndFont)
{
    struct row {
        const char* font;
        int resolution;
        std::vector<int> points;
        int defaultPoints;
    };
    // Whole dots per module from the shipped module width, and the font's recommended size as the
    // default. At 300 and 600 dpi the dots give it (12 points is 5 dots at 300 dpi); elsewhere it
    // is listed in its place (203 dpi: 4.23 dots).
    const row rows[] = {
        {"ZLT DataBar 34X", 300, {5, 7, 10, 12, 14, 17, 19}, 12},
        {"ZLT DataBar 34X", 203, {4, 7, 11, 12, 14, 18}, 12},
        {"ZLT DataBar 13X", 600, {4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 16, 17, 18}, 12},
        {"ZLT DataBar EM", 300, {10, 14, 19, 24, 29, 34, 38}, 24},
        {"ZLT DataBar 34X 96dpi", 96, {6, 12}, 12},
        {"ZLT DataBar 13X 96dpi", 96, {6, 12}, 12},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::string(r.font) + " at " + std::to_string(r.resolution));
        const size_candidates c = sizeCandidates(r.resolution, moduleWidth(r.font), recommendedSize(r.font));
        EXPECT_EQ(points(c), r.points);
        ASSERT_GE(c.defaultIndex, 0);
        EXPECT_EQ(c.values[static_cast<std::size_t>(c.defaultIndex)], r.defaultPoints * 100);
    }
}

// Every listed size but the recommended one is within half a point of whole printer dots per
// module, for the shipped module widths at common printer resolutions.
TEST(FontSizes, ListedSizesGiveWholeDotsPerModule)
{
    for (const char* font : {"ZLT DataBar 34X", "ZLT DataBar 13X", "ZLT DataBar EM"}) {
        const int m = moduleWidth(font);
        for (const int r : {300, 600, 1200}) {
            const size_candidates c = sizeCandidates(r, m, recommendedSize(font));
            for (std::size_t i = 0; i < c.values.size(); ++i) {
                if (static_cast<int>(i) == c.defaultIndex && c.values[i] == recommendedSize(font))
                    continue;
                const double dots = c.values[i] * 0.01 * m * r / unitsPerInchAtOnePoint;
                const double pointsPerDot = unitsPerInchAtOnePoint / (static_cast<double>(m) * r);
                EXPECT_LE(std::fabs(dots - std::round(dots)) * pointsPerDot, 0.5 + 1e-9)
                    << font << " at " << r << " dpi, " << c.values[i] << " hundredths";
            }
        }
    }
}

// Without a recommended size the default is the listed size nearest 10 mils.
TEST(FontSizes, WithoutRecommendedSizeTheDefaultIsNearest10Mils)
{
    // 12 points (10.00 mils) rather than 11 (9.17 mils) for a 60-unit module at 1200 dpi.
    const size_candidates c = sizeCandidates(1200, 60);
    std::vector<int> expected;
    for (int p = 6; p <= 30; ++p)
        expected.push_back(p);
    EXPECT_EQ(points(c), expected);
    EXPECT_EQ(c.values[static_cast<std::size_t>(c.defaultIndex)], 1200);
    EXPECT_EQ(moduleWidth("Not a barcode font"), moduleWidth("ZLT DataBar 34X"));
    EXPECT_EQ(recommendedSize("Not a barcode font"), 0);
}

TEST(FontSizes, At2400DpiHalfPointsRoundUpSoEveryPointFrom7To30IsListedTwice)
{
    const size_candidates c = sizeCandidates(2400, 60);  // half a point per dot
    std::vector<int> expected{6};
    for (int p = 7; p <= 30; ++p)
        expected.insert(expected.end(), {p, p});
    EXPECT_EQ(points(c), expected);
    // Ties keep the earlier candidate: the first of the two 12-point entries.
    EXPECT_EQ(c.defaultIndex, 11);
}

TEST(FontSizes, TooLowResolutionGivesNoCandidates)
{
    for (int r : {0, 19, -300}) {
        const size_candidates c = sizeCandidates(r, 123);
        EXPECT_TRUE(c.values.empty()) << r;
        EXPECT_EQ(c.defaultIndex, -1) << r;
    }
    EXPECT_EQ(sizeCandidates(20, 123).values.size(), 1u);
    EXPECT_TRUE(sizeCandidates(19, 256, 800).values.empty()) << "no recommended size without a list";
}

TEST(FontSizes, Labels)
{
    EXPECT_EQ(sizeLabel(800), "8 points");
    EXPECT_EQ(sizeLabel(1200), "12 points");
    EXPECT_EQ(sizeLabel(1230), "12 points");
    EXPECT_EQ(sizeLabel(1250), "12.50 points");
    EXPECT_EQ(sizeLabel(0), "0 points");
}

TEST(XDimension, TextUsesTheSizeListsModuleWidth)
{
    EXPECT_EQ(xDimensionText("ZLT DataBar 34X", 12.0f), "16.67 mils\r\n0.4233 mm");
    EXPECT_EQ(xDimensionText("ZLT DataBar 13X", 8.0f), "11.11 mils\r\n0.2822 mm");
    EXPECT_EQ(xDimensionText("ZLT DataBar 34X 96dpi", 12.0f), "20.83 mils\r\n0.5292 mm");
    EXPECT_EQ(xDimensionText("ZLT DataBar EM", 24.0f), "16.67 mils\r\n0.4233 mm");
}

TEST(VersionText, LetterRuleAndFormat)
{
    EXPECT_EQ(versionLetter(0), "");
    EXPECT_EQ(versionLetter(1), "a");
    EXPECT_EQ(versionLetter(2), "b");
    EXPECT_EQ(versionLetter(3), "b");
    EXPECT_EQ(versionLetter(4), "c");
    EXPECT_EQ(versionLetter(-2), "`");
    EXPECT_EQ(versionLetter(318), "");  // code 0 would end the text

    EXPECT_EQ(versionText(3u << 16 | 0, 0u << 16 | 125), "3.0 (build 125)");
    EXPECT_EQ(versionText(1u << 16 | 2, 2u << 16 | 15), "1.2b (build 15)");
    EXPECT_EQ(versionText(1u << 16 | 2, 0u << 16 | 15), "1.2 (build 15)");
    EXPECT_EQ(versionText(0, 0), "0.0 (build 0)");
    EXPECT_EQ(versionText(0xFFFFFFFFu, 0x0001FFFFu), "65535.65535a (build 65535)");
}

TEST(DecimalValue, ReadsLikeAtoi)
{
    const std::pair<const char*, int> rows[] = {
        {"4", 4},        {"  12abc", 12},  {"abc", 0},   {"", 0},      {"-3", -3},
        {"+7", 7},       {"\t 08", 8},     {"1 2", 1},   {"- 5", 0},   {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : rows)
        EXPECT_EQ(atoiValue(text), value) << '"' << text << '"';
}

TEST(RtfWriter, CarriesFaceSizeAndEscapedText)
{
    const QByteArray rtf = rtfDocument(QStringLiteral("ZLT DataBar 34X"), 24, QStringLiteral("a1{b}\\c\nd\u00e9\u20ac"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.endsWith("}\n"));
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 ZLT DataBar 34X;}}"));
    EXPECT_TRUE(rtf.contains("\\fs24 a1\\{b\\}\\\\c\\par\nd\\'e9\\u8364?"));
    // Braces balance whatever the text holds.
    EXPECT_EQ(rtf.count('{') - rtf.count("\\{"), rtf.count('}') - rtf.count("\\}"));
}

TEST(RtfWriter, RightIndentMakesTheLongestLineOneRun)
{
    // Writer's runs hold (line width) / (font height in twips / 8) characters; the indent widens
    // the line by the longest line's characters at that rate, rounded up.
    const struct {
        int halfPoints;
        QString text;
        const char* indent;
    } rows[] = {
        {24, QStringLiteral("a1{b}\\c\nd"), "\\pard\\plain\\ri-210\\f0\\fs24 "},   // 7 characters at 12 pt
        {48, QString(543, u'm') + QStringLiteral("\r\nmm"), "\\ri-32580\\f0\\fs48 "},  // 543 at 24 pt
        {25, QStringLiteral("abc"), "\\ri-94\\f0"},                                      // 93.75 up
    };
    for (const auto& r : rows)
        EXPECT_TRUE(rtfDocument(QStringLiteral("F"), r.halfPoints, r.text).contains(r.indent)) << r.indent;
}

TEST(DialogUnits, QuarterWidthAndEighthHeightRounded)
{
    const dialog_units du(6, 13);
    EXPECT_EQ(du.rect(7, 7, 116, 151), QRect(11, 11, 174, 246));
    EXPECT_EQ(du.x(373), 560);
    EXPECT_EQ(du.y(261), 424);
    EXPECT_EQ(du.y(1), 2);  // 1.625 rounds up
    EXPECT_EQ(du.x(2), 3);  // 3.0
    EXPECT_EQ(du.x(1), 2);  // 1.5 rounds half away from zero
}

TEST(EncoderLibrary, BindsAllSevenOnce)
{
    CEncoderLibrary library(QStringLiteral(FAKE_ENCODER_FULL));
    ASSERT_TRUE(library.bind());
    EXPECT_TRUE(library.bind());  // a second bind keeps what it has

    char buffer[64];
    EXPECT_EQ(library.encode(encoder_function::databarExpanded, "(01)1", 6, buffer, sizeof buffer), 21);
    EXPECT_STREQ(buffer, "DataBarExpanded:(01)1");
}

TEST(EncoderLibrary, RefusesALibraryLackingOneFunction)
{
    CEncoderLibrary six(QStringLiteral(FAKE_ENCODER_SIX));
    EXPECT_FALSE(six.bind());
    EXPECT_FALSE(six.isBound());
    EXPECT_TRUE(six.path().isEmpty());
    char buffer[16];
    EXPECT_EQ(six.encode(encoder_function::databar14, "1", 0, buffer, sizeof buffer), -1);

    EXPECT_TRUE(six.loadError().contains(QStringLiteral("DataBarExpanded"))) << six.loadError().toStdString();

    CEncoderLibrary missing(QStringLiteral("NoSuchEncoderLibrary"));
    EXPECT_FALSE(missing.bind());
    EXPECT_TRUE(missing.loadError().contains(QStringLiteral("NoSuchEncoderLibrary")))
        << missing.loadError().toStdString();
}

// The library is looked up by its major version: libTarnwick.so.1, the file a runtime package
// ships, is enough, and the unversioned development link alone is not.
TEST(EncoderLibrary, LoadsTheVersionedFileByBaseName)
{
    const struct {
        const char* file;
        bool binds;
    } rows[] = {{"libTarnwick.so.1", true}, {"libTarnwick.so", false}, {"libTarnwick.so.2", false}};
    for (const auto& row : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_ENCODER_FULL), dir.filePath(QString::fromLatin1(row.file))));
        CEncoderLibrary library(dir.filePath(QString::fromLatin1(CEncoderLibrary::defaultName)));
        EXPECT_EQ(library.bind(), row.binds) << row.file;
        EXPECT_EQ(library.loadError().isEmpty(), row.binds) << row.file;
    }
}

TEST(FileVersionInfo, RecordOfALibraryAndQueryBounds)
{
    CFileVersionInfo info;
    ASSERT_TRUE(info.create(QStringLiteral(FAKE_ENCODER_SIX)));
    EXPECT_EQ(info.fixedInfo().signature, CFileVersionInfo::fixedSignature);
    EXPECT_EQ(info.versionText(), QStringLiteral("1.2b (build 15)"));

    char small[5] = {'?', '?', '?', '?', '#'};
    EXPECT_TRUE(info.queryStringValue("ProductName", small, 4));
    EXPECT_STREQ(small, "Fak");
    EXPECT_EQ(small[4], '#');  // nothing past the given size
    EXPECT_FALSE(info.queryStringValue("ProductName", small, 0));
    EXPECT_FALSE(info.queryStringValue(nullptr, small, 4));
    EXPECT_FALSE(info.queryStringValue("CompanyName", small, 4));

    EXPECT_FALSE(info.create(QStringLiteral("NoSuchEncoderLibrary")));
    EXPECT_EQ(info.versionText(), QStringLiteral("0.0 (build 0)"));
    EXPECT_EQ(info.fixedInfo().signature, 0u);
    EXPECT_FALSE(info.queryStringValue("ProductName", small, 4));
}

}  // namespace
