// SPDX-License-Identifier: Apache-2.0
// The geometry of the five barcode fonts: the one table that the font generator
// (fonts/generate_fonts.py reads the rows below), the PNG renderer, the tarnwick tool's default
// size and Barwright's size list and X-dimension label all work from.
//
// Three grids meet at the recommended sizes. Word processors place glyphs on a coarse grid:
// LibreOffice at 1/720 inch (0.1 point, two twips), Word at twips; a module that is a whole
// number of 0.1-point steps gives every one-module glyph the same advance. Printers and
// rasterisers draw whole dots: a module of whole dots at 300 and 600 dpi gives every bar edge the
// same phase, so every module prints equally wide. The smallest module on both is 1.2 points
// (12 steps, 5 dots at 300 dpi, 10 at 600), which is 100 units at 12 points with 1000 units per
// em. A PDF writes advances in whole thousandths of an em, so with 1000 units per em every module
// is also written exactly. fonts/README.md gives the measurements behind the choice.
#pragma once

#include <array>
#include <string_view>

namespace Kelbrin::Tallowlib {

// The generator reads this line too.
inline constexpr int fontUnitsPerEm = 1000;
// 72 points per inch times the units per em: at s points a module of m units is
// s * m / unitsPerInchAtOnePoint inches.
inline constexpr double unitsPerInchAtOnePoint = 72.0 * fontUnitsPerEm;

struct font_geometry {
    std::string_view family;    // family name as installed
    std::string_view fileName;  // file name in the font directory
    int moduleUnits;            // one module (X) in font units: the advance of a column glyph
    int lineModules;            // line height (row pitch) in modules
    int bleedUnits;             // dark cells reach this far into the next glyph, to the right
    int overhangUnits;          // top and bottom cells reach this far past the line
    int recommendedPoints;      // the size the README, Barwright and tarnwick --png start from
    bool screenVariant;         // sized for 96 dpi screens rather than the printer
};

// The generator reads the rows between the two marker comments, one font per line.
inline constexpr std::array<font_geometry, 5> barcodeFontGeometry = {{
    // font geometry begin
    {"ZLT DataBar 34X", "ZLTDataBar34X.ttf", 100, 37, 20, 9, 12, false},
    {"ZLT DataBar 13X", "ZLTDataBar13X.ttf", 100, 13, 20, 9, 12, false},
    {"ZLT DataBar 34X 96dpi", "ZLTDataBar34X-96dpi.ttf", 125, 37, 20, 12, 12, true},
    {"ZLT DataBar 13X 96dpi", "ZLTDataBar13X-96dpi.ttf", 125, 13, 20, 12, 12, true},
    {"ZLT DataBar EM", "ZLTDataBarEM.ttf", 50, 37, 10, 5, 24, false},
    // font geometry end
}};

// The font with this exact family name (case-sensitive, whole name), or nullptr.
constexpr const font_geometry* findFontGeometry(std::string_view family)
{
    for (const font_geometry& font : barcodeFontGeometry)
        if (font.family == family)
            return &font;
    return nullptr;
}

// One module in inches at `points`.
constexpr double moduleInches(const font_geometry& font, double points)
{
    return font.moduleUnits * points / unitsPerInchAtOnePoint;
}

}  // namespace Kelbrin::Tallowlib
