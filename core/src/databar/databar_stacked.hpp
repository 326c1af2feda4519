// DataBar Stacked and Stacked Omnidirectional: the 46-element DataBar-14 row rearranged
// into two rows of 50 modules with separator rows between them.
#pragma once

#include "font/font_text.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// DataBar Stacked: top row, one separator row and bottom row as one line of 50 three-cell
// column characters (short font). `elementWidths` is a 46-digit DataBar-14 element text;
// anything else throws std::invalid_argument.
std::string stackedFontText(std::string_view elementWidths);
// The same into `line`, whose storage is reused.
void stackedFontText(std::string_view elementWidths, std::string& line);

// The separator row that lies directly above or below the data row `dataRow`: the
// complement of the row, with four light modules at each end and the finder patterns
// broken into single modules. The widths are written to `widthsOut` (cleared first) and
// the returned row points into it, so `widthsOut` must outlive the returned row and stay
// unmodified while it is used. The separator has no guard, the pads and direction of
// `dataRow`, and its element 0 light. A data row without elements gives a row without
// elements.
element_row deriveSeparator(const element_row& dataRow, std::vector<int>& widthsOut);

// The same separator as module bits, worked out from `data`, the bits renderModuleBits gives
// for `dataRow`: exactly what rendering deriveSeparator's row gives.
void deriveSeparatorBits(const element_row& dataRow, const module_bits& data, module_bits& out);

// DataBar Stacked Omnidirectional: top row, upper separator, middle separator, lower
// separator, bottom row, each 50 modules; fontLines() prints them as two lines.
class omni_row_builder : public row_builder {
public:
    // `elementWidths`: a 46-digit DataBar-14 element text; anything else throws
    // std::invalid_argument.
    void buildRows(std::string_view elementWidths, std::vector<std::string>& rows) const override;
};

// The two lines omni_row_builder().fontLines gives, without the intermediate module rows;
// the caller's lines keep their storage.
void omniFontLines(std::string_view elementWidths, std::vector<std::string>& lines);

}  // namespace Kelbrin::Tallowlib
