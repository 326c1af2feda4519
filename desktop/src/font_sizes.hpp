// Font sizes that give a whole number of printer dots per module, and their labels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Barwright {

// Module width in font units (2048 per em) of a barcode font; 123 for names it does not know.
int moduleWidth(std::string_view fontName);

// True for the fonts drawn for a 96 dpi screen rather than for the printer.
bool isScreenFont(std::string_view fontName);

struct size_candidates {
    std::vector<int> values;  // sizes in hundredths of a point, in list order
    int defaultIndex = -1;    // the candidate nearest 10 mils; -1 when there is none
};

// Sizes for resolution r (dots per inch) and module width m: one per whole number of dots per
// module from about 5 to about 25 mils, rounded half up to a whole point.
size_candidates sizeCandidates(int resolution, int moduleWidth);

// "12 points": the size rounded half up to a whole point; a size halfway between two whole
// points reads "12.50 points".
std::string sizeLabel(int hundredths);

}  // namespace Kelbrin::Barwright
