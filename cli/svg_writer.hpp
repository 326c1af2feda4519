// SPDX-License-Identifier: Apache-2.0
// An SVG drawing of a symbol given as module rows.
#pragma once

#include <string>
#include <vector>

namespace Kelbrin::Tarnwick::Cli {

struct svg_layout {
    std::vector<int> rowHeights;  // per module row, in modules (X)
    int quietZone = 10;           // light modules on every side
    double moduleMillimetres = 0.33;  // printed size of one module
};

// The SVG document: a white background, one black rectangle per run of dark modules in
// a row. Coordinates are in modules; width and height carry the printed size. Throws
// std::invalid_argument when the rows are empty, of different lengths, hold characters
// other than "0" and "1", or a height is missing or not positive.
std::string svgDocument(const std::vector<std::string>& rows, const svg_layout& layout);

}  // namespace Kelbrin::Tarnwick::Cli
