// DataBar Expanded (Stacked) rows: the element-width text cut into rows of at most the
// chosen number of segments, alternating direction, with separator rows between them.
#include "tallowlib/databar_expanded.hpp"
#include "tallowlib/databar_stacked.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace Kelbrin::Tallowlib {

namespace {

using detail::halfPairElements;
using detail::pairElements;

constexpr int guardModules = 4;       // two at each end of a row
constexpr int pairModules = 49;       // two characters of 17 and a finder of 15
constexpr int halfPairModules = 32;   // one character and a finder

constexpr int rowModules(int segments) { return guardModules + pairModules * (segments / 2) + halfPairModules * (segments % 2); }

// Five light modules, single modules alternating from dark, four or five light at the end.
std::string middleSeparator(int width)
{
    std::string row(static_cast<std::size_t>(width), '0');
    const int lastSingle = width - (width % 2 == 0 ? 4 : 5);
    for (int j = 5; j < lastSingle; ++j)
        if ((j - 5) % 2 == 0)
            row[static_cast<std::size_t>(j)] = '1';
    return row;
}

// Calls emit(row) for every row of the symbol, top to bottom: a null row stands for the
// middle separator row. `t` symbol characters, at most `s` segments per row.
template <typename Emit>
void forEachRow(const int* widths, int t, int s, Emit&& emit)
{
    const int width = rowModules(std::min(s, t));
    thread_local std::vector<int> separatorWidths;  // reused: no allocation per call
    for (int k = 0, r = 0;; k += s, ++r) {
        const int q = k / 2;
        const int direction = (q % 2) ^ (r % 2);
        element_row data;
        data.guard = true;
        data.first_light = q % 2 == 0 ? 1 : 0;
        data.widths = widths + pairElements * q;
        if (k + s < t) {
            data.count = pairElements * s / 2;
            data.reversed = direction;
            const element_row separator = deriveSeparator(data, separatorWidths);
            if (r > 0) {
                emit(nullptr);
                emit(&separator);
            }
            emit(&data);
            emit(&separator);
            continue;
        }
        // The last row: the remaining segments, padded to the full width on the right. A
        // row that would run right to left with an odd element count is laid out left to
        // right instead, one module further right.
        const int pairs = t / 2 - q;
        data.count = pairElements * pairs + halfPairElements * (t % 2);
        const int missing = width - rowModules(2 * pairs + t % 2);
        if (direction == 1 && data.count % 2 == 1) {
            data.reversed = 0;
            data.left_pad = 1;
            data.right_pad = std::max(missing - 1, 0);
        } else {
            data.reversed = direction;
            data.right_pad = missing;
        }
        if (k > 0) {
            emit(nullptr);
            const element_row separator = deriveSeparator(data, separatorWidths);
            emit(&separator);
        }
        emit(&data);
        return;
    }
}

// The symbol characters of an element count: 21 elements per pair, 13 for a half pair.
constexpr int symbolCharactersOf(int elements)
{
    return 2 * (elements / pairElements) + (elements % pairElements != 0 ? 1 : 0);
}

// ---- Font lines straight from the widths ------------------------------------------

constexpr int maxRowModules = rowModules(22);
constexpr int runBlock = 16;  // runs up to this width are written as one block

// One rendered row: 1 for a dark module, 0 for a light one; light beyond the row's end.
// Runs are written as whole blocks, hence the spare cells after the last module.
struct module_row {
    std::array<std::uint8_t, maxRowModules + runBlock> cells;  // every render writes all of them
    int length = 0;  // modules of the row, whether or not they all fit
};

// True when every element is 0 to 16 modules wide and the row, from `at` with its guards,
// ends inside the buffer: then each element is one block write without further checks.
bool fitsAsBlocks(const element_row& row, std::int64_t at)
{
    std::int64_t end = at + (row.guard ? 4 : 0);
    unsigned widest = 0;  // negative widths count as very wide
    for (int k = 0; k < row.count; ++k) {
        end += row.widths[k];
        widest = std::max(widest, static_cast<unsigned>(row.widths[k]));
    }
    return widest <= runBlock && end <= maxRowModules;
}

// Renders `row` as renderRow would; modules beyond the buffer are dropped.
void renderModules(const element_row& row, module_row& out)
{
    static constexpr std::array<std::uint8_t, runBlock> lightRun{};
    static constexpr std::array<std::uint8_t, runBlock> darkRun = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const auto modulesOf = [](int n) { return n > 0 ? n : 0; };
    std::int64_t at = std::min(modulesOf(row.left_pad), maxRowModules);
    std::fill(out.cells.begin(), out.cells.begin() + at, 0);
    const auto put = [&](int n, bool dark) {
        const std::int64_t room = maxRowModules - at;
        if (room > 0) {
            std::uint8_t* p = out.cells.data() + at;
            if (modulesOf(n) <= runBlock)
                std::memcpy(p, dark ? darkRun.data() : lightRun.data(), runBlock);
            else
                std::memset(p, dark ? 1 : 0, static_cast<std::size_t>(std::min<std::int64_t>(n, room)));
        }
        at += modulesOf(n);
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
        bool dark = darkOf(firstIndex);  // elements alternate
        if (fitsAsBlocks(row, at)) {
            std::uint8_t* p = out.cells.data() + at;
            const std::uint8_t* runs[2] = {lightRun.data(), darkRun.data()};
            const auto block = [&](int k) {
                std::memcpy(p, runs[dark], runBlock);
                p += row.widths[k];
                dark = !dark;
            };
            if (row.reversed)
                for (int k = row.count - 1; k >= 0; --k)
                    block(k);
            else
                for (int k = 0; k < row.count; ++k)
                    block(k);
            at = p - out.cells.data();
        } else {
            for (int n = 0; n < row.count; ++n, dark = !dark)
                put(row.widths[row.reversed ? row.count - 1 - n : n], dark);
        }
        if (row.guard) {
            put(1, !darkOf(lastIndex));
            put(1, darkOf(lastIndex));
        }
    }
    // A block may have spilled past the last run: clear it, and anything past the buffer.
    const std::int64_t end = std::min<std::int64_t>(at, maxRowModules);
    std::fill(out.cells.begin() + end, out.cells.end(), 0);
    at += modulesOf(row.right_pad);
    out.length = static_cast<int>(std::min<std::int64_t>(at, maxRowModules));
}

// Five light modules, single modules alternating from dark, four or five light at the end.
void renderMiddleSeparator(int width, module_row& out)
{
    out.cells.fill(0);
    const int lastSingle = width - (width % 2 == 0 ? 4 : 5);
    for (int j = 5; j < lastSingle && j < maxRowModules; j += 2)
        out.cells[static_cast<std::size_t>(j)] = 1;
    out.length = std::min(width, maxRowModules);
}

// Column characters indexed by four cells read top to bottom as a binary number.
const std::array<char, 16>& columnCharacters()
{
    static const std::array<char, 16> table = [] {
        std::array<char, 16> t{};
        for (int i = 0; i < 16; ++i) {
            const auto cell = [i](int b) { return (i >> b & 1) != 0 ? '1' : '0'; };
            t[static_cast<std::size_t>(i)] = fourCellCharacter(cell(3), cell(2), cell(1), cell(0));
        }
        return t;
    }();
    return table;
}

// Line 1: the first row under three light cells. Only the last cell can be dark, so two
// characters, chosen without a lookup, a whole block at a time (rows have spare cells).
void firstLine(const module_row& row, std::size_t width, std::string& line)
{
    const auto& characters = columnCharacters();
    const char light = characters[0];
    const int step = characters[1] - light;
    std::array<char, maxRowModules + runBlock> text;
    for (std::size_t j = 0; j < width; j += runBlock)
        for (std::size_t i = j; i < j + runBlock; ++i)
            text[i] = static_cast<char>(light + row.cells[i] * step);
    line.assign(text.data(), width);
}

// A further line: three separator rows and a data row, one column character per module.
void groupLine(const std::array<module_row, 4>& rows, std::size_t width, std::string& line)
{
    const auto& characters = columnCharacters();
    const auto& [r0, r1, r2, r3] = rows;
    std::array<std::uint8_t, maxRowModules + runBlock> column;
    for (std::size_t j = 0; j < width; j += runBlock)
        for (std::size_t i = j; i < j + runBlock; ++i)
            column[i] = static_cast<std::uint8_t>(r0.cells[i] << 3 | r1.cells[i] << 2 | r2.cells[i] << 1 | r3.cells[i]);
    line.resize(width);
    char* out = line.data();
    for (std::size_t j = 0; j < width; ++j)
        out[j] = characters[column[j]];
}

}  // namespace

int normaliseSegmentsPerRow(int segments)
{
    std::int64_t s = segments;  // wide enough for the odd-value step at the int limits
    if (s % 2 != 0)
        s = (s / 2) * 2 + 2;
    if (s > 22 || s <= 0)
        s = 22;
    return static_cast<int>(s);
}

void expanded_row_builder::buildRows(std::string_view text, std::vector<std::string>& rows) const
{
    rows.clear();
    const int size = static_cast<int>(text.size());
    const int tail = size % pairElements;
    if (size > 11 * pairElements || (tail != 0 && tail != halfPairElements) ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; }))
        throw std::invalid_argument("not a DataBar Expanded element-width text");
    const int t = symbolCharactersOf(size);
    if (t == 0)
        return;

    std::array<int, 11 * pairElements> widths{};
    for (int i = 0; i < size; ++i)
        widths[static_cast<std::size_t>(i)] = text[static_cast<std::size_t>(i)] - '0';

    const std::string middle = middleSeparator(rowModules(std::min(segmentsPerRow_, t)));
    forEachRow(widths.data(), t, segmentsPerRow_, [&](const element_row* row) {
        rows.push_back(row != nullptr ? renderRow(*row) : middle);
    });
}

void expanded_row_builder::fontLinesFromWidths(const int* widths, int elementCount, std::vector<std::string>& lines) const
{
    const int t = symbolCharactersOf(elementCount);
    std::size_t used = 0;
    const auto nextLine = [&]() -> std::string& {
        if (used == lines.size())
            lines.emplace_back();
        return lines[used++];
    };
    if (t == 0) {
        lines.clear();
        return;
    }
    const int middleWidth = rowModules(std::min(segmentsPerRow_, t));
    // The first row makes line 1, every further group of four rows one more line.
    std::array<module_row, 4> group;
    std::size_t width = 0;
    int rowIndex = 0;
    forEachRow(widths, t, segmentsPerRow_, [&](const element_row* row) {
        module_row& m = group[static_cast<std::size_t>(rowIndex == 0 ? 0 : (rowIndex - 1) % 4)];
        if (row != nullptr)
            renderModules(*row, m);
        else
            renderMiddleSeparator(middleWidth, m);
        if (rowIndex == 0) {
            width = static_cast<std::size_t>(m.length);
            firstLine(m, width, nextLine());
        } else if ((rowIndex - 1) % 4 == 3) {
            groupLine(group, width, nextLine());
        }
        ++rowIndex;
    });
    lines.resize(used);
}

}  // namespace Kelbrin::Tallowlib
