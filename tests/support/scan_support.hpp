// SPDX-License-Identifier: Apache-2.0
// Test support: draw module rows as a grayscale picture and read it back with the
// independent open-source readers (zbar and zxing-cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace strivane::scan {

struct gray_image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row-major, 0 black, 255 white
};

// Draws rows of "0"/"1" modules; row i is heights[i] modules high. `scale` pixels per
// module; `quietZone` light modules on every side.
gray_image renderModuleRows(const std::vector<std::string>& rows, const std::vector<int>& heights, int scale = 3,
                            int quietZone = 12);

struct decoded {
    std::string format;         // reader's name of the symbology, e.g. "DataBar", "Code128", "DataBarExpanded"
    std::string data;           // raw bytes as the reader reports them
    std::string symbologyId;    // zxing-cpp: "]e0", "]C1", ...; zbar: empty
    bool gs1 = false;           // the reader says the content is GS1 (FNC1 in first position)
};

// zbar with every symbology enabled.
std::vector<decoded> decodeWithZbar(const gray_image& image);

// zxing-cpp, in this process. `maxSymbols` > 0 stops after that many symbols; 1 is
// needed for stacked DataBar, where zxing-cpp 1.4 asserts (and aborts) when it compares a
// second reading of the symbol with a first that spans two rows.
std::vector<decoded> decodeWithZxing(const gray_image& image, int maxSymbols = 0);

// zxing-cpp in a forked child, so that a crash of the reader on some picture cannot take
// the test run down. One child reads the pictures in turn; when it dies, its current
// picture gives nullopt and a new child goes on with the next one. `maxSymbols` as for
// decodeWithZxing.
std::vector<std::optional<std::vector<decoded>>> decodeBatchWithZxingIsolated(std::span<const gray_image> images,
                                                                              int maxSymbols = 0);

// One picture read as above; nullopt when the child died.
std::optional<std::vector<decoded>> decodeWithZxingIsolated(const gray_image& image, int maxSymbols = 0);

// Writes the picture as a binary PGM (for looking at a failing case).
bool writePgm(const gray_image& image, const std::string& path);

}  // namespace strivane::scan
