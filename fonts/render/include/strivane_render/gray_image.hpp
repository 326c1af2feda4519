// SPDX-License-Identifier: Apache-2.0
// An 8-bit grayscale picture: 0 is black ink, 255 white paper, rows top to bottom.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Kelbrin::Render {

struct gray_image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height, row-major

    gray_image() = default;
    gray_image(int w, int h, std::uint8_t fill = 255)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace Kelbrin::Render
