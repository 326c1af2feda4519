// SPDX-License-Identifier: Apache-2.0
// Sets lines of font text in a TrueType font with FreeType, as a printer would: unhinted
// outlines at exact (sub-pixel) positions, anti-aliased, lines stacked at the font's line
// height with no gap.
#pragma once

#include "strivane_render/gray_image.hpp"

#include <memory>
#include <string>
#include <vector>

namespace Kelbrin::Render {

class font_rasterizer {
public:
    // Loads the font file; throws std::runtime_error when FreeType cannot open it.
    explicit font_rasterizer(const std::string& fontPath);
    ~font_rasterizer();
    font_rasterizer(const font_rasterizer&) = delete;
    font_rasterizer& operator=(const font_rasterizer&) = delete;

    // Scale: pixels per em, or a point size at a resolution (pixels per em = points * dpi / 72).
    void setPixelsPerEm(double pixelsPerEm);
    void setPointSize(double points, int dpi);

    std::string familyName() const;
    double modulePixels() const;     // advance of the one-module space "a"
    double lineHeightPixels() const;  // distance from one line's baseline to the next

    // The lines one under the other, with `quietModules` light modules of margin on every side.
    // The second form reuses the memory of `image`; both reuse the rasterizer's working memory,
    // so one rasterizer renders on one thread at a time.
    gray_image render(const std::vector<std::string>& lines, double quietModules = 10.0);
    void render(const std::vector<std::string>& lines, gray_image& image, double quietModules = 10.0);

private:
    struct impl;
    std::unique_ptr<impl> d_;
};

}  // namespace Kelbrin::Render
