// The harness itself: worked examples whose decodings are known read back through both readers.
#include "scan_support.hpp"

#include "tallowlib/font_text.hpp"
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
