// SPDX-License-Identifier: Apache-2.0
#include "databar/databar_stacked.hpp"
#include "font/font_text.hpp"
#include "rows/module_row.hpp"
#include "rows/separator.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

constexpr std::size_t databar14Elements = 46;
constexpr std::size_t rowModules = 50;

using symbol_widths = std::array<int, databar14Elements>;

symbol_widths widthsOf(std::string_view elementWidths)
{
    if (elementWidths.size() != databar14Elements)
        throw std::invalid_argument("a DataBar-14 element text has 46 widths");
    std::uint8_t outside = 0;  // checked once after the loop, which then needs no branch
    for (const char c : elementWidths)
        outside |= static_cast<std::uint8_t>(static_cast<std::uint8_t>(c - '1') > 8u);
    symbol_widths w;
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = elementWidths[i] - '0';
    if (outside != 0)
        throw std::invalid_argument("element widths are digits 1 to 9");
    return w;
}

// The two data rows of both stacked forms, laid out: the top row from a light element (the
// left guard, E[2..22], a dark and a light module), the bottom row from a dark one (a dark
// and a light module, E[23..43], the right guard).
struct stacked_rows {
    element_row top;
    element_row bottom;
    module_bits topModules;
    module_bits bottomModules;
};

void layOutRows(const symbol_widths& e, stacked_rows& rows)
{
    constexpr int rowElements = 21;
    rows.top = {rowElements, 0, 0, true, false, &e[2]};
    rows.bottom = {rowElements, 0, 0, false, false, &e[23]};
    layOutRow(rows.top, rows.topModules);
    layOutRow(rows.bottom, rows.bottomModules);
}

}  // namespace

std::string stackedFontText(std::string_view elementWidths)
{
    std::string line;
    stackedFontText(elementWidths, line);
    return line;
}

void stackedFontText(std::string_view elementWidths, std::string& line)
{
    const symbol_widths e = widthsOf(elementWidths);
    stacked_rows rows;
    layOutRows(e, rows);
    module_bits separator;
    stackedSeparator(rows.topModules, rows.bottomModules, rowModules, separator);
    threeCellLine(rows.topModules, separator, rows.bottomModules, rowModules, line);
}

void omniFontLines(std::string_view elementWidths, std::vector<std::string>& lines)
{
    const symbol_widths e = widthsOf(elementWidths);
    stacked_rows rows;
    layOutRows(e, rows);
    module_bits upper;
    module_bits middle;
    module_bits lower;
    dataRowSeparator(rows.top, rows.topModules, upper);
    middleSeparator(rowModules, middle);
    dataRowSeparator(rows.bottom, rows.bottomModules, lower);
    lines.resize(2);
    underLightCellsLine(rows.topModules, rowModules, lines[0]);
    fourCellLine(upper, middle, lower, rows.bottomModules, rowModules, lines[1]);
}

}  // namespace Kelbrin::Tallowlib
