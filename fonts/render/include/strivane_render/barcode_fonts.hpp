// The five barcode fonts: names, geometry, which one each symbology is set in, the size the
// desktop program offers by default, and where the font files are found.
#pragma once

#include "tallowlib/symbol_text.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Kelbrin::Render {

inline constexpr int fontUnitsPerEm = 2048;

struct barcode_font_info {
    std::string_view family;    // family name as installed
    std::string_view fileName;  // file name in the font directory
    int moduleUnits;            // one module in font units
    int lineModules;            // line height in modules
    bool screenVariant;         // sized for 96 dpi screens rather than the printer
};

inline constexpr std::array<barcode_font_info, 5> barcodeFonts = {{
    {"ZLT DataBar 34X", "ZLTDataBar34X.ttf", 123, 37, false},
    {"ZLT DataBar 13X", "ZLTDataBar13X.ttf", 123, 13, false},
    {"ZLT DataBar 34X 96dpi", "ZLTDataBar34X-96dpi.ttf", 128, 37, true},
    {"ZLT DataBar 13X 96dpi", "ZLTDataBar13X-96dpi.ttf", 128, 13, true},
    {"ZLT DataBar EM", "ZLTDataBarEM.ttf", 61, 37, false},
}};

// The font with this exact family name, or nullptr.
const barcode_font_info* findBarcodeFont(std::string_view family);

// The font the desktop program names for a symbology: the tall one for DataBar-14, Stacked
// Omnidirectional, Expanded (one row or stacked) and Code 128; the short one for Limited,
// Stacked and GS1-128.
const barcode_font_info& fontForSymbology(Kelbrin::Tallowlib::symbology s);

// The resolution the desktop program sizes a font for: 96 dpi for the screen variants, the
// printer's otherwise.
int sizingResolution(const barcode_font_info& font, int printerDpi);

// The desktop program's default size in points for this font at this printer resolution: of
// the sizes that make a module a whole number of dots (about 5 to 25 mils), the one nearest
// 10 mils. nullopt when the resolution offers no such size (below 20 dpi).
std::optional<int> defaultPointSize(const barcode_font_info& font, int printerDpi);

// The font file: $STRIVANE_FONT_DIR, then the installed font directory beside the running program
// (../share/fonts/strivane from its bin directory), then the file fontconfig has for the family,
// then the build tree. nullopt when none of them holds it.
std::optional<std::string> locateFontFile(const barcode_font_info& font);

}  // namespace Kelbrin::Render
