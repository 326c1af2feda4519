// SPDX-License-Identifier: Apache-2.0
// A symbol's font text set in a barcode font and written as a PNG picture, as a printer at
// the given resolution would print it.
#pragma once

#include "tallowlib/symbol_text.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Kelbrin::Render {

struct png_request {
    std::string path;             // the PNG file to write
    std::string font;             // a family name or a font file; empty: the symbology's font
    std::optional<double> points; // empty: the desktop program's default size for the font
    std::optional<int> dpi;       // empty: 96 for the screen fonts, 300 otherwise
};

struct png_outcome {
    std::string fontFile;
    double points = 0.0;
    int dpi = 0;
    double modulePixels = 0.0;
};

// Makes the pictures of many symbols, loading each font once rather than once per symbol.
class symbol_png_maker {
public:
    symbol_png_maker();
    ~symbol_png_maker();
    symbol_png_maker(const symbol_png_maker&) = delete;
    symbol_png_maker& operator=(const symbol_png_maker&) = delete;

    // The PNG bytes of the symbol in `png` (request.path is not used). Throws as writeSymbolPng.
    png_outcome make(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                     const png_request& request, std::vector<std::uint8_t>& png);

private:
    struct impl;
    std::unique_ptr<impl> d_;
};

// Throws std::runtime_error (unknown font, missing font file, size or resolution out of
// range, file not writable).
png_outcome writeSymbolPng(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                           const png_request& request);

}  // namespace Kelbrin::Render
