// SPDX-License-Identifier: Apache-2.0
// GS1 DataBar Expanded and Expanded Stacked: element strings -> element-width text ->
// rows of at most the chosen number of segments.
#pragma once

#include "barcode_encoder.hpp"
#include "expanded/expanded_compaction.hpp"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace Kelbrin::Tallowlib {

// Segments per row as every stage uses them: an odd value v becomes (v / 2) * 2 + 2
// (truncating), then anything above 22 or not above 0 becomes 22 (one row).
int normaliseSegmentsPerRow(int segmentsPerRow);

class databar_expanded_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return anyCharacter; }
    void checkCharacters(const std::string&) const override {}

    // The one-row symbol; the same as encode(input, 22, ...).
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;

    // Parses the element strings, compacts them and writes the element-width text of the
    // whole symbol (no guards). Every failure is invalid_ean128_format_error code 10.
    int encode(const char* input, int segmentsPerRow, std::string& barcode, std::string& humanReadable) const;
};

// The lines of font text of a DataBar Expanded (Stacked) symbol from the `elementCount`
// widths of encode's symbol (a valid count), cut into rows of at most `segmentsPerRow`
// segments (normalised), all as wide as the widest row: line 1 the first data row under
// three light cells, every further line the separator of the row above, the middle
// separator, the separator of the next data row and that row. The caller's lines keep
// their storage.
void expandedFontLines(const int* widths, int elementCount, int segmentsPerRow, std::vector<std::string>& lines);

namespace detail {

// Widths of all symbol characters and finders in element-width order: per pair the 8
// widths of the left character, the 5 of the finder and the 8 of the right character.
inline constexpr int maxSymbolCharacters = 22;
inline constexpr int pairElements = 21;
inline constexpr int halfPairElements = 13;
using expanded_widths = std::array<int, 11 * pairElements>;

// The element count of T symbol characters: 21 per pair, 13 for a final half pair.
constexpr int expandedElementCount(int symbolCharacters)
{
    return pairElements * (symbolCharacters / 2) + halfPairElements * (symbolCharacters % 2);
}

// Compacts the data string and builds the widths of the symbol. Returns the number of
// symbol characters T (4 to 22), or 0 when the data does not fit. The linkage flag is 0.
// `bits`, when not null, receives the bits the compacted data takes, linkage flag included.
int RSS14Eenc(const char* dataString, expanded_widths& widths, int linkage, int segmentsPerRow = 22,
              int* bits = nullptr);

// Parses, compacts and builds the widths of the whole symbol under the library lock;
// returns the number of symbol characters. The human-readable text is built only when
// `humanReadable` is not null. Every failure is invalid_ean128_format_error code 10.
int expandedSymbolWidths(const char* input, int segmentsPerRow, expanded_widths& widths, std::string* humanReadable);

// The 8 widths of one symbol character (left to right, or mirrored) and the checksum
// with the character's weights added.
int expandedCharacterWidths(int value, int weight, int checksum, bool leftToRight, int* widths);

// Finder pattern of a pair: pattern 0..5 (A..F), form 2 is the mirror image.
struct finder_use {
    int pattern;
    bool mirrored;
};
// The finder sequence of a symbol with `finders` (2 to 11) finder patterns.
const finder_use* finderSequence(int finders);

}  // namespace detail

}  // namespace Kelbrin::Tallowlib
