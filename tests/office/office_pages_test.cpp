// SPDX-License-Identifier: Apache-2.0
// Finding the symbols on a printed page, and reading the page files the rasterisers write.
#include "office_pages.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace strivane;
using office::box;

namespace {

scan::gray_image page(int width, int height, const std::vector<box>& dark)
{
    scan::gray_image img{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 255)};
    for (const box& b : dark)
        for (int y = b.y; y < b.y + b.h; ++y)
            for (int x = b.x; x < b.x + b.w; ++x)
                img.pixels[static_cast<std::size_t>(y * width + x)] = 0;
    return img;
}

bool operator==(const box& a, const box& b) { return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h; }

}  // namespace

TEST(OfficePages, SymbolsAreBlocksOfDarkRowsApartByMoreThanTheGap)
{
    const struct {
        const char* what;
        std::vector<box> dark;
        std::vector<box> found;
    } rows[] = {
        {"empty page", {}, {}},
        {"two symbols", {{10, 5, 30, 8}, {20, 30, 5, 4}}, {{10, 5, 30, 8}, {20, 30, 5, 4}}},
        {"rows of a stacked symbol with a light seam", {{10, 5, 30, 8}, {12, 14, 30, 8}}, {{10, 5, 32, 17}}},
        {"light rows exactly the gap: one symbol", {{10, 5, 30, 8}, {10, 17, 30, 8}}, {{10, 5, 30, 20}}},
        {"one more light row: two", {{10, 5, 30, 8}, {10, 18, 30, 8}}, {{10, 5, 30, 8}, {10, 18, 30, 8}}},
        {"symbol down to the page's edge", {{0, 40, 60, 10}}, {{0, 40, 60, 10}}},
    };
    for (const auto& r : rows) {
        const auto found = office::findSymbols(page(60, 50, r.dark), 4);
        ASSERT_EQ(found.size(), r.found.size()) << r.what;
        for (std::size_t i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i] == r.found[i]) << r.what << ": symbol " << i << " at " << found[i].x << ','
                                                << found[i].y << ' ' << found[i].w << 'x' << found[i].h;
    }
}

TEST(OfficePages, CutOutKeepsTheBoxInsideAQuietZone)
{
    const auto img = page(20, 10, {{5, 2, 3, 4}});
    const auto cut = office::cutOut(img, {5, 2, 3, 4}, 2);
    ASSERT_EQ(cut.width, 7);
    ASSERT_EQ(cut.height, 8);
    for (int y = 0; y < cut.height; ++y)
        for (int x = 0; x < cut.width; ++x)
            EXPECT_EQ(cut.pixels[static_cast<std::size_t>(y * cut.width + x)],
                      x >= 2 && x < 5 && y >= 2 && y < 6 ? 0 : 255)
                << x << ',' << y;
}

TEST(OfficePages, ReadsBitmapsAndGraymapsAsRasterisersWriteThem)
{
    // 10 x 2: a bitmap row spans two bytes, most significant bit first, 1 dark.
    const std::vector<std::uint8_t> expected = {0, 255, 255, 255, 255, 255, 255, 0,   255, 0,
                                                255, 255, 255, 255, 255, 255, 255, 255, 0, 255};
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"bitmap", std::string("P4\n# comment\n10 2\n") + "\x81\x40" + std::string("\x00\x80", 2)},
        {"graymap", std::string("P5\n10 2\n255\n") + std::string(expected.begin(), expected.end())},
        {"truncated graymap", "P5\n10 2\n255\n\x01"},
    };
    for (const auto& f : files) {
        const std::string path = ::testing::TempDir() + "office_page_" + f.name;
        std::ofstream(path, std::ios::binary) << f.bytes;
        const auto img = office::readPicture(path);
        std::remove(path.c_str());
        if (std::string(f.name).starts_with("truncated")) {
            EXPECT_FALSE(img) << f.name;
            continue;
        }
        ASSERT_TRUE(img) << f.name;
        EXPECT_EQ(img->width, 10);
        EXPECT_EQ(img->height, 2);
        EXPECT_EQ(img->pixels, expected) << f.name;
    }
}
