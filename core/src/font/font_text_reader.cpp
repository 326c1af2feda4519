#include "tallowlib/font_text_reader.hpp"

#include <array>
#include <optional>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

// Cells of a four-cell column character, top to bottom, as a 4-bit number (top = bit 3).
std::optional<int> fourCellBits(char c)
{
    static constexpr std::string_view order = "amnAopqBzrsCtuvD";  // index = cell bits
    const auto at = order.find(c);
    if (at == std::string_view::npos)
        return std::nullopt;
    return static_cast<int>(at);
}

std::optional<int> threeCellBits(char c)
{
    switch (c) {
    case 'Z': return 0;  // also "111", which a stacked row pair never prints
    case 'j': return 1;
    case 'k': return 2;
    case 'l': return 3;
    case 'w': return 4;
    case 'x': return 5;
    case 'y': return 6;
    default: return std::nullopt;
    }
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
        if ((c >= '1' && c <= '9') || (c >= 'b' && c <= 'i'))
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
        if (c >= 'a' && c <= 'i')
            out.rows[0].append(static_cast<std::size_t>(c - 'a' + 1), '0');
        else if (c >= '1' && c <= '9')
            out.rows[0].append(static_cast<std::size_t>(c - '0'), '1');
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
