#include "tallowlib/font_text.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <cstdint>

namespace Kelbrin::Tallowlib {

namespace {

constexpr const auto& fourCellTable = fourCellCharacters;

constexpr std::array<char, 8> threeCellTable = {
    'Z', 'j', 'k', 'l',  // 000 001 010 011
    'w', 'x', 'y', 'Z',  // 100 101 110 111
};

constexpr int bit(char c) { return c == '1' ? 1 : 0; }

}  // namespace

void singleRowFontText(std::string_view elementWidths, std::string& out)
{
    out.resize(elementWidths.size());
    for (std::size_t i = 0; i < elementWidths.size(); ++i) {
        const char w = elementWidths[i];
        out[i] = i % 2 == 0 ? static_cast<char>(w + 48) : w;
    }
}

std::string singleRowFontText(std::string_view elementWidths)
{
    std::string out;
    singleRowFontText(elementWidths, out);
    return out;
}

std::string renderRow(const element_row& row)
{
    std::string modules;
    renderRow(row, modules);
    return modules;
}

void renderRow(const element_row& row, std::string& modules)
{
    const auto modulesOf = [](int n) { return static_cast<std::size_t>(n > 0 ? n : 0); };
    const bool hasElements = row.count > 0 && row.widths != nullptr;
    std::size_t total = modulesOf(row.left_pad) + modulesOf(row.right_pad);
    if (hasElements) {
        total += row.guard ? 4 : 0;
        for (int k = 0; k < row.count; ++k)
            total += modulesOf(row.widths[k]);
    }
    // Runs are copied as whole 16-byte blocks and the end moved on by their width, so the
    // text gets 16 spare bytes; what spills past the row's last run is cleared at the end.
    constexpr std::size_t block = 16;
    static constexpr char light[block] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'};
    static constexpr char dark[block] = {'1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1'};
    modules.assign(total + block, '0');
    if (!hasElements) {
        modules.resize(total);
        return;
    }
    const bool zeroDark = row.first_light == 0;
    const auto darkOf = [&](int k) { return (k % 2 == 0) == zeroDark; };
    char* p = modules.data() + modulesOf(row.left_pad);
    const auto put = [&](std::size_t n, bool isDark) {
        if (n <= block)
            std::memcpy(p, isDark ? dark : light, block);
        else
            std::memset(p, isDark ? '1' : '0', n);
        p += n;
    };
    const int firstIndex = row.reversed ? row.count - 1 : 0;
    const int lastIndex = row.reversed ? 0 : row.count - 1;

    if (row.guard) {
        put(1, darkOf(firstIndex));
        put(1, !darkOf(firstIndex));
    }
    for (int n = 0; n < row.count; ++n) {
        const int k = row.reversed ? row.count - 1 - n : n;
        put(modulesOf(row.widths[k]), darkOf(k));
    }
    if (row.guard) {
        put(1, !darkOf(lastIndex));
        put(1, darkOf(lastIndex));
    }
    std::memset(p, '0', static_cast<std::size_t>(modules.data() + modules.size() - p));  // right padding
    modules.resize(total);
}

row_bits renderRowBits(const element_row& row)
{
    const auto modulesOf = [](int n) { return static_cast<std::size_t>(n > 0 ? n : 0); };
    constexpr std::size_t bits = 64;
    row_bits r{0, modulesOf(row.left_pad)};
    // Moves on by n modules, setting their bits when dark (as far as the 64 bits reach).
    const auto put = [&](std::size_t n, bool isDark) {
        if (isDark && r.width < bits)
            r.dark |= (n >= bits ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1) << r.width;
        r.width += n;
    };
    if (row.count > 0 && row.widths != nullptr) {
        const bool zeroDark = row.first_light == 0;
        const auto darkOf = [&](int k) { return (k % 2 == 0) == zeroDark; };
        const int firstIndex = row.reversed ? row.count - 1 : 0;
        const int lastIndex = row.reversed ? 0 : row.count - 1;
        if (row.guard) {
            put(1, darkOf(firstIndex));
            put(1, !darkOf(firstIndex));
        }
        // Colours alternate whichever way the elements are laid out.
        bool isDark = darkOf(firstIndex);
        for (int n = 0; n < row.count; ++n) {
            const int k = row.reversed ? row.count - 1 - n : n;
            put(modulesOf(row.widths[k]), isDark);
            isDark = !isDark;
        }
        if (row.guard) {
            put(1, !darkOf(lastIndex));
            put(1, darkOf(lastIndex));
        }
    }
    r.width += modulesOf(row.right_pad);
    return r;
}

char fourCellCharacter(char c0, char c1, char c2, char c3)
{
    return fourCellTable[static_cast<std::size_t>(bit(c0) << 3 | bit(c1) << 2 | bit(c2) << 1 | bit(c3))];
}

char threeCellCharacter(char top, char separator, char bottom)
{
    return threeCellTable[static_cast<std::size_t>(bit(top) << 2 | bit(separator) << 1 | bit(bottom))];
}

void fontLinesFromRows(const std::vector<std::string>& rows, std::vector<std::string>& lines)
{
    if (rows.empty()) {
        lines.clear();
        return;
    }
    // The caller's lines keep their storage.
    const std::size_t groups = (rows.size() - 1) / 4;
    lines.resize(1 + groups);
    const std::string& first = rows.front();
    const std::size_t width = first.size();
    std::string& line = lines.front();
    line.resize(width);
    for (std::size_t j = 0; j < width; ++j)
        line[j] = first[j] == '1' ? 'm' : 'a';

    for (std::size_t g = 0; g < groups; ++g) {
        const std::string* r = &rows[4 * g + 1];
        std::string& next = lines[1 + g];
        next.resize(width);
        // Columns that all four rows reach, then the rest with the missing cells light.
        const std::size_t common = std::min({width, r[0].size(), r[1].size(), r[2].size(), r[3].size()});
        for (std::size_t j = 0; j < common; ++j)
            next[j] = fourCellTable[static_cast<std::size_t>(bit(r[0][j]) << 3 | bit(r[1][j]) << 2 |
                                                             bit(r[2][j]) << 1 | bit(r[3][j]))];
        for (std::size_t j = common; j < width; ++j) {
            const auto cell = [&](int i) { return j < r[i].size() ? r[i][j] : '0'; };
            next[j] = fourCellCharacter(cell(0), cell(1), cell(2), cell(3));
        }
    }
}

void row_builder::fontLines(std::string_view elementWidths, std::vector<std::string>& lines) const
{
    thread_local std::vector<std::string> rows;  // keeps its storage from call to call
    buildRows(elementWidths, rows);
    fontLinesFromRows(rows, lines);
}

std::size_t joinedSize(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    return lines.empty() ? 0 : size - 2;
}

void joinLines(const std::vector<std::string>& lines, char* out)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            *out++ = '\r';
            *out++ = '\n';
        }
        std::memcpy(out, lines[i].data(), lines[i].size());
        out += lines[i].size();
    }
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string joined(joinedSize(lines), '\0');
    joinLines(lines, joined.data());
    return joined;
}

}  // namespace Kelbrin::Tallowlib
