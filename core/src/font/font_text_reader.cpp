// SPDX-License-Identifier: Apache-2.0
#include "tallowlib/font_text_reader.hpp"

#include "font/font_alphabet.hpp"

#include <array>
#include <optional>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

// The cells of a column character of `kind` as a number (top cell most significant), or
// nothing when `c` is none. "Z" reads as three light cells.
std::optional<int> cellBits(char c, glyph_kind kind)
{
    const font_glyph* glyph = findGlyph(c, kind);
    if (glyph == nullptr)
        return std::nullopt;
    return glyph->value;
}

std::optional<int> fourCellBits(char c) { return cellBits(c, glyph_kind::four_cells); }
std::optional<int> threeCellBits(char c) { return cellBits(c, glyph_kind::three_cells); }

// A width character that is no column character ("a" is both).
bool onlyWidthCharacter(char c)
{
    return (findGlyph(c, glyph_kind::space) != nullptr || findGlyph(c, glyph_kind::bar) != nullptr) &&
           !fourCellBits(c) && !threeCellBits(c);
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos)
            break;
        start = nl + 1;
    }
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

font_text_kind detectKind(std::string_view text)
{
    bool threeCell = false;
    for (char c : text) {
        if (onlyWidthCharacter(c))
            return font_text_kind::width_characters;
        if (threeCellBits(c))
            threeCell = true;
    }
    return threeCell ? font_text_kind::three_cell_columns : font_text_kind::four_cell_columns;
}

[[noreturn]] void bad(const std::string& why) { throw std::invalid_argument("font text: " + why); }

module_rows readWidthCharacters(const std::vector<std::string_view>& lines)
{
    if (lines.size() != 1)
        bad("width characters form one line");
    module_rows out{font_text_kind::width_characters, {std::string()}, {true}};
    for (char c : lines[0]) {
        if (const font_glyph* space = findGlyph(c, glyph_kind::space))
            out.rows[0].append(space->value, '0');
        else if (const font_glyph* bar = findGlyph(c, glyph_kind::bar))
            out.rows[0].append(bar->value, '1');
        else
            bad(std::string("unexpected character '") + c + "' among width characters");
    }
    return out;
}

module_rows readThreeCellColumns(const std::vector<std::string_view>& lines)
{
    if (lines.size() != 1)
        bad("three-cell columns form one line");
    module_rows out{font_text_kind::three_cell_columns, {"", "", ""}, {true, false, true}};
    for (char c : lines[0]) {
        const auto bits = threeCellBits(c);
        if (!bits)
            bad(std::string("unexpected character '") + c + "' among three-cell columns");
        for (int i = 0; i < 3; ++i)
            out.rows[static_cast<std::size_t>(i)].push_back((*bits >> (2 - i) & 1) ? '1' : '0');
    }
    return out;
}

module_rows readFourCellColumns(const std::vector<std::string_view>& lines)
{
    module_rows out{font_text_kind::four_cell_columns, {}, {}};
    const std::size_t width = lines[0].size();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].size() != width)
            bad("column lines of different lengths");
        const std::size_t cells = k == 0 ? 1 : 4;  // line 1 prints its data row under three light cells
        std::array<std::string, 4> rows;
        for (char c : lines[k]) {
            const auto bits = fourCellBits(c);
            if (!bits)
                bad(std::string("unexpected character '") + c + "' among four-cell columns");
            for (std::size_t i = 0; i < cells; ++i) {
                const int cell = k == 0 ? 3 : static_cast<int>(i);
                rows[i].push_back((*bits >> (3 - cell) & 1) ? '1' : '0');
            }
        }
        for (std::size_t i = 0; i < cells; ++i) {
            out.rows.push_back(std::move(rows[i]));
            out.dataRow.push_back(k == 0 || i == 3);
        }
    }
    return out;
}

}  // namespace

module_rows readFontText(std::string_view fontText)
{
    const auto lines = splitLines(fontText);
    if (lines.empty() || lines[0].empty())
        bad("empty text");
    switch (detectKind(fontText)) {
    case font_text_kind::width_characters: return readWidthCharacters(lines);
    case font_text_kind::three_cell_columns: return readThreeCellColumns(lines);
    case font_text_kind::four_cell_columns: break;
    }
    return readFourCellColumns(lines);
}

}  // namespace Kelbrin::Tallowlib
