// SPDX-License-Identifier: Apache-2.0
// Grayscale pictures as PNG files.
#pragma once

#include "strivane_render/gray_image.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace Kelbrin::Render {

// PNG bytes of `image` (8-bit grayscale). A positive `dpi` is recorded in a pHYs chunk so that
// viewers and printers show the picture at its real size.
std::vector<std::uint8_t> encodePng(const gray_image& image, int dpi = 0);

// Writes encodePng(image, dpi) to `path`; throws std::runtime_error when the file cannot be written.
void writePng(const std::string& path, const gray_image& image, int dpi = 0);

}  // namespace Kelbrin::Render
