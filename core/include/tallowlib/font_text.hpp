// Element widths and module rows turned into characters of the barcode fonts.
//
// Width characters (one-row symbols): "a".."i" a space of 1..9 modules, "1".."9" a bar.
// Column characters (stacked symbols): one character per module column, standing for
// the light/dark state of three or four vertically stacked cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// One row to be rendered into modules.
struct element_row {
    int count = 0;            // number of elements
    int left_pad = 0;         // light modules before the row
    int right_pad = 0;        // light modules after the row
    bool guard = false;       // one guard module pair at each end
    int first_light = 1;      // nonzero when element 0 is light
    int reversed = 0;         // nonzero when laid out from the last element to the first
    const int* widths = nullptr;  // `count` widths in modules (separators may exceed 9)
};

// Element-width text ("1".."9", element 0 a space) -> width characters, same length.
std::string singleRowFontText(std::string_view elementWidths);
void singleRowFontText(std::string_view elementWidths, std::string& out);

// Module text of one row: "0" light, "1" dark.
std::string renderRow(const element_row& row);
// The same into `modules`, whose storage is reused.
void renderRow(const element_row& row, std::string& modules);

// Four-cell column character for cells top..bottom (each '0' or '1').
char fourCellCharacter(char c0, char c1, char c2, char c3);

// The modules of `row` as renderRow lays them out, written as cells (1 dark, 0 light) to
// `cells` as far as it reaches (the rest cleared); returns the row's width in modules.
std::size_t renderRowCells(const element_row& row, std::span<std::uint8_t> cells);
// The four-cell character of cells read as a binary number, top cell most significant.
char fourCellCharacterOf(unsigned cells);
// Three-cell column character (top row, separator, bottom row).
char threeCellCharacter(char top, char separator, char bottom);

// Builds the module rows of one symbol: the first data row, then for every further data
// row three separator rows followed by that row. All rows have the same length.
class row_builder {
public:
    virtual ~row_builder() = default;
    virtual void buildRows(std::string_view elementWidths, std::vector<std::string>& rows) const = 0;

    // Rows -> printed lines of four-cell column characters (see fontLinesFromRows).
    void fontLines(std::string_view elementWidths, std::vector<std::string>& lines) const;
};

// Line 1 carries the first row under three light cells; every further line carries the
// three separator rows above a data row together with that row. Rows after the last
// complete group of four are not printed.
void fontLinesFromRows(const std::vector<std::string>& rows, std::vector<std::string>& lines);

// Lines joined with "\r\n", none after the last.
std::string joinLines(const std::vector<std::string>& lines);
// The size of the joined text, and the joined text written to `out` (which holds that many bytes).
std::size_t joinedSize(const std::vector<std::string>& lines);
void joinLines(const std::vector<std::string>& lines, char* out);

}  // namespace Kelbrin::Tallowlib
