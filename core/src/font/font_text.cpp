#include "font/font_text.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <cstdint>
#include <optional>

namespace Kelbrin::Tallowlib {

namespace {

constexpr const auto& fourCellTable = fourCellCharacters;

constexpr const auto& threeCellTable = threeCellCharacters;

constexpr int bit(char c) { return c == '1' ? 1 : 0; }

static_assert(std::endian::native == std::endian::little, "blocks of eight cells or characters are read as little-endian words");

}  // namespace

void singleRowFontText(std::string_view elementWidths, std::string& out)
{
    const std::size_t n = elementWidths.size();
    out.resize(n);
    const char* w = elementWidths.data();
    char* o = out.data();
    // A space and a bar at a time, which the compiler turns into vector code.
    for (std::size_t i = 0; i + 1 < n; i += 2) {
        o[i] = static_cast<char>(w[i] + spaceOffset);
        o[i + 1] = w[i + 1];
    }
    if (n % 2 != 0)
        o[n - 1] = static_cast<char>(w[n - 1] + spaceOffset);
}

std::string singleRowFontText(std::string_view elementWidths)
{
    std::string out;
    singleRowFontText(elementWidths, out);
    return out;
}

namespace {

std::size_t modulesOf(int n) { return static_cast<std::size_t>(n > 0 ? n : 0); }

// Calls run(modules, dark) for the guard modules and the elements of `row` in the order they
// are laid out, pads left out. The guards mirror the outermost elements, so the colours
// alternate along the whole row from the colour of the first element laid out. Negative
// widths count as 0 unless the caller has ruled them out (Checked false).
template <bool Checked = true, typename Run>
void forEachRun(const element_row& row, Run&& run)
{
    if (row.count <= 0 || row.widths == nullptr)
        return;
    const int first = row.reversed ? row.count - 1 : 0;
    bool dark = (first % 2 == 0) == (row.first_light == 0);
    const auto widthAt = [&](std::ptrdiff_t k) {
        return Checked ? modulesOf(row.widths[k]) : static_cast<std::size_t>(row.widths[k]);
    };
    // Two runs of opposite colours at a time, so that neither colour changes in the loop.
    if (row.guard) {
        run(1, dark);
        run(1, !dark);
    }
    const std::ptrdiff_t step = row.reversed ? -1 : 1;
    std::ptrdiff_t k = first;
    for (int pairs = row.count / 2; pairs > 0; --pairs, k += 2 * step) {
        run(widthAt(k), dark);
        run(widthAt(k + step), !dark);
    }
    if (row.count % 2 != 0) {
        run(widthAt(k), dark);
        dark = !dark;
    }
    if (row.guard) {
        run(1, dark);
        run(1, !dark);
    }
}

// Bit j of the result is the parity of bits 0..j of x: colour changes turned into colours.
constexpr std::uint64_t prefixParity(std::uint64_t x)
{
    for (int shift = 1; shift < 64; shift *= 2)
        x ^= x << shift;
    return x;
}

// The characters of two columns at once: entry a | b << 4 holds those of cells a and b.
using column_pairs = std::array<std::array<char, 2>, 256>;
template <std::size_t N>
constexpr column_pairs columnPairs(const std::array<char, N>& table)
{
    column_pairs pairs{};
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i] = {table[i % 16 % N], table[i / 16 % N]};
    return pairs;
}
constexpr column_pairs fourCellPairs = columnPairs(fourCellCharacters);
constexpr column_pairs threeCellPairs = columnPairs(threeCellTable);

// Nibble k of entry b is bit k of b: eight modules spread out so that byte m holds the
// cells of columns 2m and 2m + 1 once the rows are put together.
constexpr auto nibbleCells = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::size_t b = 0; b < t.size(); ++b)
        for (std::size_t k = 0; k < 8; ++k)
            t[b] |= static_cast<std::uint32_t>(b >> k & 1u) << (4 * k);
    return t;
}();

// Writes `width` column characters of `rows` (top first). Columns past the module capacity
// have only light cells.
template <std::size_t Rows>
void writeColumns(const column_pairs& pairs, const std::array<const module_bits*, Rows>& rows, std::size_t width,
                  std::string& line)
{
    // Whole blocks of eight columns, a word of each row at a time, then the line cut to its width.
    const std::size_t held = std::min(width, moduleBitsCapacity);
    line.resize((held + 7) / 8 * 8);
    char* text = line.data();
    for (std::size_t w = 0; 64 * w < held; ++w) {
        std::array<std::uint64_t, Rows> words;
        for (std::size_t r = 0; r < Rows; ++r)
            words[r] = rows[r]->words[w];
        for (std::size_t j = 64 * w; j < std::min(held, 64 * w + 64); j += 8) {
            std::uint32_t index = 0;  // byte m: the cells of columns 2m and 2m + 1
            for (std::size_t r = 0; r < Rows; ++r) {
                index = index << 1 | nibbleCells[words[r] & 0xFFu];
                words[r] >>= 8;
            }
            for (std::size_t k = 0; k < 8; k += 2, index >>= 8)
                std::memcpy(text + j + k, pairs[index & 0xFFu].data(), 2);
        }
    }
    line.resize(width, pairs[0][0]);
}

// Where `row`, laid out from `start` with its guards, ends, when it has elements, each 0 to
// below `limit` (a power of two up to 1024) modules wide, and ends before the last module
// bit; otherwise nothing.
std::optional<std::size_t> wholeRowEnd(const element_row& row, std::size_t start, std::uint32_t limit)
{
    if (row.count <= 0 || row.widths == nullptr || row.count > static_cast<int>(moduleBitsCapacity))
        return std::nullopt;
    // Both sums stay far below 2^32 when no width reaches 2^10 (a negative one reads larger).
    std::uint32_t any = 0;
    std::uint32_t modules = row.guard ? 4 : 0;
    for (int k = 0; k < row.count; ++k) {
        const auto width = static_cast<std::uint32_t>(row.widths[k]);
        any |= width;
        modules += width;
    }
    if (any >= limit || start + modules >= moduleBitsCapacity)
        return std::nullopt;
    return start + modules;
}

}  // namespace

std::string renderRow(const element_row& row)
{
    std::string modules;
    renderRow(row, modules);
    return modules;
}

void renderRow(const element_row& row, std::string& modules)
{
    std::size_t total = modulesOf(row.left_pad) + modulesOf(row.right_pad);
    forEachRun(row, [&](std::size_t n, bool) { total += n; });
    // Runs are copied as whole 16-byte blocks and the end moved on by their width, so the
    // text gets 16 spare bytes; what spills past the row's last run is cleared at the end.
    constexpr std::size_t block = 16;
    static constexpr char light[block] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0'};
    static constexpr char dark[block] = {'1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1', '1'};
    modules.assign(total + block, '0');
    char* p = modules.data() + modulesOf(row.left_pad);
    forEachRun(row, [&](std::size_t n, bool isDark) {
        if (n <= block)
            std::memcpy(p, isDark ? dark : light, block);
        else
            std::memset(p, isDark ? '1' : '0', n);
        p += n;
    });
    std::memset(p, '0', static_cast<std::size_t>(modules.data() + modules.size() - p));  // right padding
    modules.resize(total);
}

void renderModuleBits(const element_row& row, module_bits& out)
{
    // A set bit where the colour changes, then every bit the parity of the changes up to it.
    out.words.fill(0);
    const std::size_t start = modulesOf(row.left_pad);
    std::size_t end = start;
    if (const auto rowEnd = wholeRowEnd(row, start, 1024)) {
        // Colours alternate along the row, so every run but the last ends in a change; the
        // first run starts with one when dark, the last ends with one when dark.
        const int runs = row.count + (row.guard ? 4 : 0);
        const bool firstDark = ((row.reversed ? row.count - 1 : 0) % 2 == 0) == (row.first_light == 0);
        const bool lastDark = firstDark == (runs % 2 == 1);
        const auto changes = [&](auto&& change) {
            if (firstDark)
                change(end);
            forEachRun<false>(row, [&](std::size_t n, bool) {
                end += n;
                change(end);
            });
            if (!lastDark)
                change(end);
        };
        if (*rowEnd < 64) {  // a row of one word: its changes gathered in a register
            std::uint64_t word = 0;
            changes([&](std::size_t j) { word ^= std::uint64_t{1} << j; });
            out.words[0] = word;
        } else {
            changes([&](std::size_t j) { out.words[j / 64] ^= std::uint64_t{1} << (j % 64); });
        }
    } else {
        // Any width and length: modules past the capacity are left out.
        bool dark = false;
        forEachRun(row, [&](std::size_t n, bool isDark) {
            if (isDark != dark && end < moduleBitsCapacity)
                out.words[end / 64] ^= std::uint64_t{1} << (end % 64);
            dark = isDark;
            end += n;
        });
        if (dark && end < moduleBitsCapacity)
            out.words[end / 64] ^= std::uint64_t{1} << (end % 64);
    }
    out.width = end + modulesOf(row.right_pad);
    const std::size_t changedWords = std::min(moduleWords, end / 64 + 1);
    std::uint64_t before = 0;  // all ones when the module before the word is dark
    for (std::size_t w = 0; w < changedWords; ++w) {
        out.words[w] = prefixParity(out.words[w]) ^ before;
        before = (out.words[w] >> 63) != 0 ? ~std::uint64_t{0} : 0;
    }
}

void underLightCellsLine(const module_bits& row, std::size_t width, std::string& line)
{
    // The characters of eight modules at once, the first in the low byte.
    static constexpr auto blocks = [] {
        std::array<std::uint64_t, 256> t{};
        for (std::size_t b = 0; b < t.size(); ++b)
            for (std::size_t k = 0; k < 8; ++k)
                t[b] |= std::uint64_t{static_cast<unsigned char>(fourCellCharacters[b >> k & 1u])} << (8 * k);
        return t;
    }();
    const std::size_t held = std::min(width, moduleBitsCapacity);
    line.resize((held + 7) / 8 * 8);
    for (std::size_t j = 0; j < held; j += 8)
        std::memcpy(line.data() + j, &blocks[row.words[j / 64] >> (j % 64) & 0xFFu], 8);
    line.resize(width, fourCellCharacters[0]);
}

void underLightCellsLine(const element_row& row, std::string& line)
{
    constexpr std::size_t block = 16;
    const std::size_t start = modulesOf(row.left_pad);
    if (!wholeRowEnd(row, start, block)) {
        module_bits bits;
        renderModuleBits(row, bits);
        underLightCellsLine(bits, bits.width, line);
        return;
    }
    // Each run is written as a whole block of its character and the end moved on by its
    // width; the line has room for what spills past the last run, cut off at the end.
    constexpr auto filled = [](char c) {
        std::array<char, block> b{};
        b.fill(c);
        return b;
    };
    static constexpr std::array<char, block> light = filled(fourCellCharacters[0]);
    static constexpr std::array<char, block> dark = filled(fourCellCharacters[1]);
    line.assign(moduleBitsCapacity + block, light[0]);
    char* p = line.data() + start;
    forEachRun<false>(row, [&](std::size_t n, bool isDark) {
        std::memcpy(p, isDark ? dark.data() : light.data(), block);
        p += n;
    });
    const std::size_t end = static_cast<std::size_t>(p - line.data());
    std::memset(p, light[0], block);  // what the last block spilled
    line.resize(end + modulesOf(row.right_pad), light[0]);
}

void fourCellLine(const module_bits& r0, const module_bits& r1, const module_bits& r2, const module_bits& r3,
                  std::size_t width, std::string& line)
{
    writeColumns(fourCellPairs, std::array{&r0, &r1, &r2, &r3}, width, line);
}

void threeCellLine(const module_bits& top, const module_bits& separator, const module_bits& bottom,
                   std::size_t width, std::string& line)
{
    writeColumns(threeCellPairs, std::array{&top, &separator, &bottom}, width, line);
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

}  // namespace Kelbrin::Tallowlib
