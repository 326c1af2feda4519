// SPDX-License-Identifier: Apache-2.0
// The inverse of the font-text stage: printed font text back to module rows, so that a
// symbol can be drawn (SVG, images for readers) or checked from what the caller receives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

enum class font_text_kind {
    width_characters,    // "a".."i" spaces and "1".."9" bars: one row
    three_cell_columns,  // one line, each character top / separator / bottom
    four_cell_columns,   // line 1 a data row, every further line three separators and a data row
};

struct module_rows {
    font_text_kind kind = font_text_kind::width_characters;
    std::vector<std::string> rows;  // "0" light, "1" dark; all of one length
    std::vector<bool> dataRow;      // per row: a data row (true) or a separator row (false)
};

// Lines may be separated by "\r\n" or "\n". The kind follows from the characters: any
// digit or "b".."i" means width characters, any of "jklwxyZ" three-cell columns, anything
// else of the four-cell repertoire four-cell columns. Throws std::invalid_argument for an
// empty text, a character outside the repertoire, mixed kinds, or ragged column lines.
module_rows readFontText(std::string_view fontText);

}  // namespace Kelbrin::Tallowlib
