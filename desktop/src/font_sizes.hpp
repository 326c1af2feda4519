// SPDX-License-Identifier: Apache-2.0
// Font sizes that give a whole number of printer dots per module, and their labels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Barwright {

// Module width in font units (Tallowlib::fontUnitsPerEm per em) of a barcode font, from the
// fonts' geometry table; that of "ZLT DataBar 34X" for names it does not know.
int moduleWidth(std::string_view fontName);

// True for the fonts drawn for a 96 dpi screen rather than for the printer.
bool isScreenFont(std::string_view fontName);

// The font's recommended size in hundredths of a point (a module on the word processors'
// glyph grid); 0 for names it does not know.
int recommendedSize(std::string_view fontName);

struct size_candidates {
    std::vector<int> values;  // sizes in hundredths of a point, in list order
    int defaultIndex = -1;    // the recommended size, else the candidate nearest 10 mils; -1 when none
};

// Sizes for resolution r (dots per inch) and module width m: one per whole number of dots per
// module from about 5 to about 25 mils, rounded half up to a whole point. A recommended size
// (hundredths of a point, 0 for none) joins the list in order unless it is there already, and
// is the default; without one the default is the candidate nearest 10 mils. No candidates (a
// resolution below 20 dpi) give an empty list, recommended size or not.
size_candidates sizeCandidates(int resolution, int moduleWidth, int recommended = 0);

// "12 points": the size rounded half up to a whole point; a size halfway between two whole
// points reads "12.50 points".
std::string sizeLabel(int hundredths);

}  // namespace Kelbrin::Barwright
