// A symbol's font text set in a barcode font and written as a PNG picture, as a printer at
// the given resolution would print it.
#pragma once

#include "tallowlib/symbol_text.hpp"

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

// Throws std::runtime_error (unknown font, missing font file, size or resolution out of
// range, file not writable).
png_outcome writeSymbolPng(Kelbrin::Tallowlib::symbology s, const std::vector<std::string>& lines,
                           const png_request& request);

}  // namespace Kelbrin::Render
