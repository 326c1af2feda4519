// SPDX-License-Identifier: Apache-2.0
// The office proof's pages: reading the rasterised pages and finding the symbols on them.
#pragma once

#include "scan_support.hpp"

#include <optional>
#include <string>
#include <vector>

namespace strivane::office {

// A binary PGM (P5, 8 bits), PBM (P4) or PNG file as a grayscale picture; nullopt when it is
// none of them or cannot be read.
std::optional<scan::gray_image> readPicture(const std::string& path);

struct box {
    int x, y, w, h;
};

// The symbols of a page, top to bottom: blocks of rows holding dark pixels, apart where more
// than `gap` light rows separate them. The empty line between two symbols is far taller, a
// seam inside a stacked symbol far thinner.
std::vector<box> findSymbols(const scan::gray_image& img, int gap);

// The box with `quiet` light pixels on every side.
scan::gray_image cutOut(const scan::gray_image& img, const box& b, int quiet);

}  // namespace strivane::office
