// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded binary compaction: element strings -> data string -> bit field of
// 12-bit data characters. Internal routines, exposed for the symbol builder and tests.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

// ---- Data string ------------------------------------------------------------------

// The AI digits and data of every element, "#" standing for FNC1.
inline constexpr int maxDataStringLength = 2436;

struct expanded_data_string {
    char text[maxDataStringLength + 1] = {};  // zero-terminated
    int length = 0;

    std::string_view view() const { return {text, static_cast<std::size_t>(length)}; }
    // Appends as much of `s` as fits; the text stays zero-terminated.
    void append(std::string_view s)
    {
        const auto room = static_cast<std::size_t>(maxDataStringLength - length);
        const std::size_t n = s.size() < room ? s.size() : room;
        if (n > 0)
            std::memcpy(text + length, s.data(), n);
        length += static_cast<int>(n);
        text[length] = '\0';
    }
};

// Parses and checks the element strings of `input` as GS1-128 does and joins their AIs and
// data into `out`, "#" after every element that owes an FNC1 and is not the last; their
// human-readable texts are joined into `humanReadable` when it is not null. Throws
// invalid_ean128_format_error code 10, with the parser's diagnostic, for a faulty element.
void buildExpandedDataString(const char* input, expanded_data_string& out, std::string* humanReadable);

// ---- Character classes ------------------------------------------------------------

enum character_class_bit : std::uint8_t {
    numeric_class = 1,    // digit or FNC1
    fnc1_class = 2,       // "#"
    alphanumeric_set = 4, // encodable in alphanumeric mode
    iso646_set = 8,       // encodable in ISO/IEC 646 mode
    end_of_data = 128,    // the terminating zero
};

constexpr std::array<std::uint8_t, 256> makeCharacterClassTable()
{
    std::array<std::uint8_t, 256> t{};
    t[0] = end_of_data;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = numeric_class | alphanumeric_set | iso646_set;
    t['#'] = numeric_class | fnc1_class | alphanumeric_set | iso646_set;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = alphanumeric_set | iso646_set;
    for (char c : {'*', ',', '-', '.', '/', '^'})
        t[static_cast<unsigned char>(c)] = alphanumeric_set | iso646_set;
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = iso646_set;
    for (char c : {' ', '!', '"', '%', '&', '\'', '(', ')', '+', ':', ';', '<', '=', '>', '?', '_'})
        t[static_cast<unsigned char>(c)] = iso646_set;
    return t;
}

inline constexpr std::array<std::uint8_t, 256> characterClassTable = makeCharacterClassTable();

inline std::uint8_t characterClass(char c) { return characterClassTable[static_cast<unsigned char>(c)]; }

// ---- Bit field --------------------------------------------------------------------

inline constexpr int bitFieldBytes = 148;
inline constexpr int bitFieldBits = bitFieldBytes * 8;  // 1184
inline constexpr int maxSymbolBits = 252;                // 21 data characters

// Bit n is bit (7 - n % 8) of byte n / 8: the field reads most significant bit first. Two
// bytes of slack follow the field's bytes, so that the three bytes a write or read of up to
// 16 bits goes through stay inside the array wherever its bits are; no bit is kept there.
using bit_field = std::array<std::uint8_t, bitFieldBytes + 2>;

// Traces a write putBits refuses.
void traceRefusedBits(int start, int count);

// Writes the low `count` bits of `value` at start .. start + count - 1, most significant
// first. Refuses (writes nothing, traces) when count > 16 or the bits leave the field.
inline void putBits(bit_field& field, int start, int count, unsigned value)
{
    if (start < 0 || count < 0 || count > 16 || start > bitFieldBits - count) {
        traceRefusedBits(start, count);
        return;
    }
    if (count == 0)
        return;
    // The bits lie in the 24-bit window of three bytes from the one holding `start`: only
    // they change, the rest of the window is written back as it was.
    std::uint8_t* bytes = field.data() + start / 8;
    const int shift = 24 - start % 8 - count;
    const std::uint32_t mask = ((1u << count) - 1u) << shift;
    const std::uint32_t window = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
    const std::uint32_t merged = (window & ~mask) | ((value << shift) & mask);
    bytes[0] = static_cast<std::uint8_t>(merged >> 16);
    bytes[1] = static_cast<std::uint8_t>(merged >> 8);
    bytes[2] = static_cast<std::uint8_t>(merged);
}

// The `count` (at most 16) bits at `start`, most significant first; bits outside read 0.
unsigned readBits(const bit_field& field, int start, int count);

// Data character k: the 12 bits from 12k. They start at bit 0 or 4 of a byte, so two
// bytes hold them.
inline unsigned dataCharacter(const bit_field& field, int k)
{
    const int start = 12 * k;
    if (k < 0 || start > bitFieldBits - 12)
        return readBits(field, start, 12);
    const auto i = static_cast<std::size_t>(start / 8);
    const unsigned pair = static_cast<unsigned>(field[i]) << 8 | field[i + 1];
    return (start % 8 == 0 ? pair >> 4 : pair) & 0xFFFu;
}

// ---- Compaction -------------------------------------------------------------------

enum class compaction_mode { numeric, alphanumeric, iso646, finished };

// Everything one compaction works on; owned by the encode call.
struct expanded_compaction {
    const char* data = nullptr;  // zero-terminated data string
    int index = 0;               // next unread character
    bit_field* field = nullptr;
    int bits = 0;                // next bit position
    compaction_mode mode = compaction_mode::numeric;
    int segmentsPerRow = 22;     // normalised: 2, 4, ..., 22

    char current() const { return data[index]; }
    char next() const { return data[index] == '\0' ? '\0' : data[index + 1]; }
    // putBits at the bit position, which advances by `count` whether or not it was written.
    void write(int count, unsigned value)
    {
        putBits(*field, bits, count, value);
        bits += count;
    }
};

// Writes the encodation method and its compressed fields, and leaves the data index at
// the start of the general-purpose data. Returns the mode to continue in (numeric).
compaction_mode selectEncodationMethod(expanded_compaction& state);

compaction_mode compactNumeric(expanded_compaction& state);
compaction_mode compactAlphanumeric(expanded_compaction& state);
compaction_mode compactIso646(expanded_compaction& state);

// Runs the general-purpose modes from state.mode until the data is used up.
void compactModes(expanded_compaction& state);

// The size rule: the data-character count for `bits` (at least 3, bumped by one when the
// last row of a stacked symbol would hold a single segment) and the bits left unused, or
// -1 (count 0) when the bits exceed what a symbol holds.
int unusedBitCount(int bits, int segmentsPerRow, int& dataCharacters);

// Fills the unused bits with the pad pattern; returns the data-character count or -1.
int padBitField(expanded_compaction& state);

// Method selection, the mode loop and padding over a field whose bit 0 holds the linkage
// flag. Returns the data-character count (3 to 21) or -1 when the data is too big; `bits`,
// when not null, receives the bits the data takes before padding (also when too big).
int pack(const char* dataString, bit_field& field, int segmentsPerRow, int* bits = nullptr);

// Writes the two variable-length bits (odd symbol-character count; more than 14 symbol
// characters) where the field's method keeps them; fixed-length methods have none.
void fillVariableLengthField(bit_field& field, int dataCharacters);

}  // namespace Kelbrin::Tallowlib::detail
