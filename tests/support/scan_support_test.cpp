// SPDX-License-Identifier: Apache-2.0
// The harness itself: worked examples whose decodings are known read back through both readers.
#include "scan_support.hpp"

#include "font/font_text.hpp"
#include "tallowlib/font_text_reader.hpp"

#include <gtest/gtest.h>

using namespace strivane::scan;
using Kelbrin::Tallowlib::readFontText;
using Kelbrin::Tallowlib::singleRowFontText;

TEST(ScanSupport, RendersRowsAtScaleWithQuietZone)
{
    const auto img = renderModuleRows({"101", "010"}, {2, 1}, 2, 1);
    EXPECT_EQ(img.width, (3 + 2) * 2);
    EXPECT_EQ(img.height, (3 + 2) * 2);
    auto at = [&](int x, int y) { return img.pixels[static_cast<std::size_t>(y * img.width + x)]; };
    EXPECT_EQ(at(0, 0), 255);
    EXPECT_EQ(at(2, 2), 0);    // row 0, module 0
    EXPECT_EQ(at(4, 2), 255);  // row 0, module 1
    EXPECT_EQ(at(4, 6), 0);    // row 1 (below the 2-module-high row 0), module 1
}

TEST(ScanSupport, ReadsKnownCode128)
{
    // Code 128 of "12": start C, 12, check, stop.
    const auto rows = readFontText("2a1b3b1a2b3b1b2b3a2c3a1a2").rows;
    const auto img = renderModuleRows(rows, {30});
    const auto zbar = decodeWithZbar(img);
    ASSERT_EQ(zbar.size(), 1u);
    EXPECT_EQ(zbar[0].data, "12");
    const auto zx = decodeWithZxingIsolated(img);
    ASSERT_TRUE(zx.has_value());
    ASSERT_EQ(zx->size(), 1u);
    EXPECT_EQ((*zx)[0].data, "12");
    EXPECT_EQ((*zx)[0].format, "Code128");
}

// The pictures come back in order; a picture on which the reader dies gives nullopt and a
// new child goes on with the ones after it.
TEST(ScanSupport, IsolatedBatchOutlivesACrashingPicture)
{
    const auto code128 = renderModuleRows(readFontText("2a1b3b1a2b3b1b2b3a2c3a1a2").rows, {30});
    const auto blank = renderModuleRows({"0"}, {30});
    gray_image noPixels;  // the reader dereferences the missing pixel data
    noPixels.width = 2000;
    noPixels.height = 2000;
    const auto results = decodeBatchWithZxingIsolated(std::vector<gray_image>{code128, noPixels, blank, code128});
    ASSERT_EQ(results.size(), 4u);
    for (std::size_t i : {0u, 3u}) {
        ASSERT_TRUE(results[i].has_value()) << i;
        ASSERT_EQ(results[i]->size(), 1u) << i;
        EXPECT_EQ((*results[i])[0].data, "12") << i;
    }
    EXPECT_FALSE(results[1].has_value());
    ASSERT_TRUE(results[2].has_value());
    EXPECT_TRUE(results[2]->empty());
    EXPECT_FALSE(decodeWithZxingIsolated(noPixels).has_value());
    EXPECT_TRUE(decodeBatchWithZxingIsolated(std::vector<gray_image>{}).empty());
}

TEST(ScanSupport, ReadsKnownDataBar14)
{
    const auto rows = readFontText(singleRowFontText("1113112161238111411511121132222119311212333111")).rows;
    const auto img = renderModuleRows(rows, {33});
    const auto zbar = decodeWithZbar(img);
    ASSERT_EQ(zbar.size(), 1u);
    EXPECT_EQ(zbar[0].data, "0112345678901231");
    const auto zx = decodeWithZxing(img);
    ASSERT_EQ(zx.size(), 1u);
    EXPECT_EQ(zx[0].data, "12345678901231");
}
