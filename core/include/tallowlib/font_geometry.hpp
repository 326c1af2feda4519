// SPDX-License-Identifier: Apache-2.0
// The geometry of the five barcode fonts: the one table that the font generator
// (fonts/generate_fonts.py reads the rows below), the PNG renderer, the tarnwick tool's default
// size and Barwright's size list and X-dimension label all work from.
//
// Word processors place glyphs on a coarse grid: LibreOffice at 1/720 inch (0.1 point, two
// twips), Word at twips. A module is on that grid when the size times the module width is a
// multiple of 1024 units (a module of 0.5, 1.0, 1.5 ... points at a whole or half point size);
// every one-module glyph then gets the same advance. The recommended size of each font is such
// a size. A PDF writes advances in whole thousandths of an em, so a module of 256 units (125/1000
// em) is also written exactly. fonts/README.md gives the measurements behind the choice.
#pragma once

#include <array>
#include <string_view>

namespace Kelbrin::Tallowlib {

inline constexpr int fontUnitsPerEm = 2048;
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
    {"ZLT DataBar 34X", "ZLTDataBar34X.ttf", 256, 37, 60, 24, 8, false},
    {"ZLT DataBar 13X", "ZLTDataBar13X.ttf", 256, 13, 60, 24, 8, false},
    {"ZLT DataBar 34X 96dpi", "ZLTDataBar34X-96dpi.ttf", 256, 37, 40, 24, 12, true},
    {"ZLT DataBar 13X 96dpi", "ZLTDataBar13X-96dpi.ttf", 256, 13, 40, 24, 12, true},
    {"ZLT DataBar EM", "ZLTDataBarEM.ttf", 128, 37, 30, 12, 16, false},
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

// True when a module at `points` is a whole number of 0.1-point steps, the grid on which
// LibreOffice places glyphs (so also a whole number of twips).
constexpr bool moduleOnLayoutGrid(const font_geometry& font, double points)
{
    const double tenthsOfPoint = font.moduleUnits * points * 10.0 / fontUnitsPerEm;
    const auto whole = static_cast<long long>(tenthsOfPoint + 0.5);
    const double error = tenthsOfPoint - static_cast<double>(whole);
    return error < 1e-9 && error > -1e-9;
}

// True when a module is a whole number of thousandths of an em, the unit of a PDF's glyph widths:
// a run of one-module glyphs then prints exactly as long as it was laid out.
constexpr bool moduleExactInPdf(const font_geometry& font) { return font.moduleUnits * 1000 % fontUnitsPerEm == 0; }

}  // namespace Kelbrin::Tallowlib
