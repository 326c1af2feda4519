// SPDX-License-Identifier: Apache-2.0
// The five barcode fonts: names, geometry, which one each symbology is set in, the size the
// desktop program offers by default, and where the font files are found.
#pragma once

#include "tallowlib/font_geometry.hpp"
#include "tallowlib/symbol_text.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Kelbrin::Render {

// The geometry of the five fonts comes from the core's one table.
using Kelbrin::Tallowlib::fontUnitsPerEm;
using barcode_font_info = Kelbrin::Tallowlib::font_geometry;
inline constexpr const auto& barcodeFonts = Kelbrin::Tallowlib::barcodeFontGeometry;

// The font with this exact family name, or nullptr.
const barcode_font_info* findBarcodeFont(std::string_view family);

// The font the desktop program names for a symbology: the tall one for DataBar-14, Stacked
// Omnidirectional, Expanded (one row or stacked) and Code 128; the short one for Limited,
// Stacked and GS1-128.
const barcode_font_info& fontForSymbology(Kelbrin::Tallowlib::symbology s);

// The resolution the desktop program sizes a font for: 96 dpi for the screen variants, the
// printer's otherwise.
int sizingResolution(const barcode_font_info& font, int printerDpi);

// The desktop program's default size in points for this font at this printer resolution: the
// font's recommended size. nullopt when the resolution offers no sizes at all (below 20 dpi).
std::optional<int> defaultPointSize(const barcode_font_info& font, int printerDpi);

// The font file: $STRIVANE_FONT_DIR, then the installed font directory beside the running program
// (../share/fonts/strivane from its bin directory), then the file fontconfig has for the family,
// then the build tree. nullopt when none of them holds it.
std::optional<std::string> locateFontFile(const barcode_font_info& font);

}  // namespace Kelbrin::Render
