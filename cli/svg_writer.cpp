// SPDX-License-Identifier: Apache-2.0
#include "svg_writer.hpp"

#include <cstdio>
#include <stdexcept>

namespace Kelbrin::Tarnwick::Cli {

namespace {

void checkRows(const std::vector<std::string>& rows, const svg_layout& layout)
{
    if (rows.empty() || rows.front().empty())
        throw std::invalid_argument("nothing to draw");
    if (layout.rowHeights.size() != rows.size())
        throw std::invalid_argument("one height per module row is needed");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].size() != rows.front().size())
            throw std::invalid_argument("module rows of different lengths");
        if (rows[i].find_first_not_of("01") != std::string::npos)
            throw std::invalid_argument("module rows hold only 0 and 1");
        if (layout.rowHeights[i] <= 0)
            throw std::invalid_argument("row heights must be positive");
    }
    if (layout.quietZone < 0 || !(layout.moduleMillimetres > 0))
        throw std::invalid_argument("bad quiet zone or module size");
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

// One rectangle per run of dark modules of `row`, at height `y` (modules).
void appendBars(std::string& svg, const std::string& row, int x0, int y, int height)
{
    std::size_t j = 0;
    while (j < row.size()) {
        if (row[j] != '1') {
            ++j;
            continue;
        }
        const std::size_t start = j;
        while (j < row.size() && row[j] == '1')
            ++j;
        svg += "  <rect x=\"" + std::to_string(x0 + static_cast<int>(start)) + "\" y=\"" + std::to_string(y) +
               "\" width=\"" + std::to_string(j - start) + "\" height=\"" + std::to_string(height) + "\"/>\n";
    }
}

}  // namespace

std::string svgDocument(const std::vector<std::string>& rows, const svg_layout& layout)
{
    checkRows(rows, layout);
    const int q = layout.quietZone;
    const int width = static_cast<int>(rows.front().size()) + 2 * q;
    int height = 2 * q;
    for (int h : layout.rowHeights)
        height += h;

    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           number(width * layout.moduleMillimetres) + "mm\" height=\"" + number(height * layout.moduleMillimetres) +
           "mm\" viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) +
           "\" shape-rendering=\"crispEdges\">\n";
    svg += "  <rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
    svg += "  <g fill=\"#000000\">\n";
    int y = q;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        appendBars(svg, rows[i], q, y, layout.rowHeights[i]);
        y += layout.rowHeights[i];
    }
    svg += "  </g>\n</svg>\n";
    return svg;
}

}  // namespace Kelbrin::Tarnwick::Cli
