// SPDX-License-Identifier: Apache-2.0
// Encodation methods: the compressed methods for AI 01 followed by a weight, price or date
// AI at fixed places, and the general methods otherwise (ISO/IEC 24724 Table 10).
#include "expanded/expanded_compaction.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <array>
#include <string_view>

namespace Kelbrin::Tallowlib::detail {

namespace {

// One encodation method: its bits as written after the linkage flag (with the two bits of
// the variable-length field, written 0 for now, where the method has them), the AIs it
// compresses and the lengths of its compressed fields.
struct encodation_method {
    std::string_view name;       // the method bits without the variable-length field
    unsigned header;             // what is written first
    int headerBits;
    int variableLengthAt;        // bit of the variable-length field, or -1
    std::string_view ais;        // the element strings the compressed fields carry
    int indicatorBits;           // the GTIN's first digit
    int gtinBits;                // its next 12 digits, four groups of three
    int firstFieldBits;          // weight, or price decimals
    int secondFieldBits;         // date, or currency
};

enum method_index : std::size_t { general, gtin, kilograms3103, pounds320x, price392x, priceCurrency393x, weightDate };

constexpr std::array<encodation_method, 7> methods{{
    {"00", 0b0000, 4, 3, "any", 0, 0, 0, 0},
    {"1", 0b100, 3, 2, "(01)", 4, 40, 0, 0},
    {"0100", 0b0100, 4, -1, "(01) indicator 9, (3103) up to 032767", 0, 40, 15, 0},
    {"0101", 0b0101, 4, -1, "(01) indicator 9, (3202) up to 009999 or (3203) up to 022767", 0, 40, 15, 0},
    {"01100", 0b0110000, 7, 6, "(01) indicator 9, (392x) x 0..3", 0, 40, 2, 0},
    {"01101", 0b0110100, 7, 6, "(01) indicator 9, (393x) x 0..3 with its currency", 0, 40, 2, 10},
    // 0111 then 3 bits: 310x or 320x (last bit), no date or (11), (13), (15), (17).
    {"0111000..0111111", 0b0111000, 7, -1, "(01) indicator 9, (310x) or (320x), then (11), (13), (15) or (17)", 0,
     40, 20, 16},
}};

// Every method that has the variable-length field has it right after its method bits.
static_assert([] {
    for (const encodation_method& m : methods)
        if (m.variableLengthAt >= 0 && m.variableLengthAt != 1 + m.headerBits - 2)
            return false;
    return true;
}());

bool allDigits(std::string_view s)
{
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int decimal(std::string_view digits)
{
    int v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

// "01" followed by 14 digits whose last is the GS1 check digit of the 13 before it. The
// compressed fields never carry the check digit (the reader recomputes it), so anything
// else must go through the general-purpose field to arrive unchanged.
bool startsWithGtin(std::string_view d)
{
    return d.size() >= 16 && d.substr(0, 2) == "01" && allDigits(d.substr(2, 14)) &&
           gs1CheckDigit(d.substr(2, 13)) == d[15];
}

// YYMMDD that the 16-bit date field holds and gives back: month 1..12, day 0..31.
bool compressibleDate(std::string_view yymmdd)
{
    if (!allDigits(yymmdd))
        return false;
    const int mm = decimal(yymmdd.substr(2, 2));
    const int dd = decimal(yymmdd.substr(4, 2));
    return mm >= 1 && mm <= 12 && dd <= 31;
}

unsigned dateField(std::string_view yymmdd)
{
    const int yy = decimal(yymmdd.substr(0, 2));
    const int mm = decimal(yymmdd.substr(2, 2));
    const int dd = decimal(yymmdd.substr(4, 2));
    return static_cast<unsigned>(yy * 384 + (mm - 1) * 32 + dd);
}

constexpr unsigned noDate = 38400;

// Writes `value` in a field of `count` bits, more than putBits takes at a time if need be.
void writeField(expanded_compaction& s, int count, unsigned value)
{
    if (count > 16)
        s.write(count - 16, value >> 16);
    s.write(count > 16 ? 16 : count, count > 16 ? value & 0xFFFFu : value);
}

// The method bits (plus `subMethod`), then the GTIN's indicator digit where the method
// carries it and D[3..14] as four groups of three digits; the data index moves to `next`.
void writeHeaderAndGtin(expanded_compaction& s, std::string_view d, const encodation_method& m, int next,
                        unsigned subMethod = 0)
{
    s.write(m.headerBits, m.header + subMethod);
    if (m.indicatorBits > 0)
        s.write(m.indicatorBits, static_cast<unsigned>(d[2] - '0'));
    for (std::size_t i = 3; i < 15; i += 3)  // the caller checked the digits
        s.write(m.gtinBits / 4, static_cast<unsigned>((d[i] - '0') * 100 + (d[i + 1] - '0') * 10 + (d[i + 2] - '0')));
    s.index = next;
}

// The six digits of the weight AI at index 16 (D[20..25]), or -1 when there are fewer than
// 26 characters or D[19..25] are not all digits.
int weightDigits(std::string_view d)
{
    return d.size() >= 26 && allDigits(d.substr(19, 7)) ? decimal(d.substr(20, 6)) : -1;
}

bool encodeKilograms3103(expanded_compaction& s, std::string_view d, int w)
{
    if (d.size() != 26 || w < 0 || d.substr(16, 4) != "3103" || w > 32767)
        return false;
    const encodation_method& m = methods[kilograms3103];
    writeHeaderAndGtin(s, d, m, 26);
    s.write(m.firstFieldBits, static_cast<unsigned>(w));
    return true;
}

// (3202) keeps its value, (3203) is stored 10000 up.
bool encodePounds320x(expanded_compaction& s, std::string_view d, int w)
{
    if (d.size() != 26 || w < 0)
        return false;
    const std::string_view ai = d.substr(16, 4);
    const bool hundredths = ai == "3202" && w <= 9999;
    if (!hundredths && !(ai == "3203" && w <= 22767))
        return false;
    const encodation_method& m = methods[pounds320x];
    writeHeaderAndGtin(s, d, m, 26);
    s.write(m.firstFieldBits, static_cast<unsigned>(hundredths ? w : w + 10000));
    return true;
}

bool encodePrice392x(expanded_compaction& s, std::string_view d)
{
    if (d.size() < 21 || d.substr(16, 3) != "392" || d[19] < '0' || d[19] > '3')
        return false;
    const encodation_method& m = methods[price392x];
    writeHeaderAndGtin(s, d, m, 20);
    s.write(m.firstFieldBits, static_cast<unsigned>(d[19] - '0'));
    return true;
}

bool encodePriceCurrency393x(expanded_compaction& s, std::string_view d)
{
    if (d.size() < 24 || d.substr(16, 3) != "393" || d[19] < '0' || d[19] > '3' || !allDigits(d.substr(20, 3)))
        return false;
    const encodation_method& m = methods[priceCurrency393x];
    writeHeaderAndGtin(s, d, m, 23);
    s.write(m.firstFieldBits, static_cast<unsigned>(d[19] - '0'));
    s.write(m.secondFieldBits, static_cast<unsigned>(decimal(d.substr(20, 3))));
    return true;
}

// (310x) or (320x) with a weight up to 99999 (the decimal-point digit x in front), alone or
// followed by a date AI (11), (13), (15) or (17) whose date the date field holds.
bool encodeWeightDate(expanded_compaction& s, std::string_view d, int w)
{
    const bool weightAi = w >= 0 && d[16] == '3' && (d[17] == '1' || d[17] == '2') && d[18] == '0';
    if (!weightAi || w > 99999)
        return false;
    const bool dated = d.size() == 34 && d[26] == '1' &&
                       (d[27] == '1' || d[27] == '3' || d[27] == '5' || d[27] == '7') &&
                       compressibleDate(d.substr(28, 6));
    if (d.size() != 26 && !dated)
        return false;
    // The last three method bits: the date AI's second digit less one, plus 1 for 320x.
    const unsigned subMethod = static_cast<unsigned>(d[17] - '1') + (dated ? static_cast<unsigned>(d[27] - '1') : 0u);
    const encodation_method& m = methods[weightDate];
    writeHeaderAndGtin(s, d, m, dated ? 34 : 26, subMethod);
    writeField(s, m.firstFieldBits, static_cast<unsigned>((d[19] - '0') * 100000 + w));
    writeField(s, m.secondFieldBits, dated ? dateField(d.substr(28, 6)) : noDate);
    return true;
}

// The compressed methods, tried in this order: AI 01 with indicator 9 and a weight, price
// or date AI at index 16.
bool encodeCompressed(expanded_compaction& s, std::string_view d)
{
    if (d[2] != '9')
        return false;
    const int w = weightDigits(d);
    return encodeKilograms3103(s, d, w) || encodePounds320x(s, d, w) || encodePrice392x(s, d) ||
           encodePriceCurrency393x(s, d) || encodeWeightDate(s, d, w);
}

}  // namespace

compaction_mode selectEncodationMethod(expanded_compaction& s)
{
    const std::string_view d(s.data);
    if (!startsWithGtin(d)) {
        s.write(methods[general].headerBits, methods[general].header);
        s.index = 0;
    } else if (!encodeCompressed(s, d)) {
        writeHeaderAndGtin(s, d, methods[gtin], 16);
    }
    return compaction_mode::numeric;
}

void fillVariableLengthField(bit_field& field, int dataCharacters)
{
    // Bits 1 to 4, after the linkage flag: "1", "00", or "0110" for "01100" and "01101".
    const unsigned method = field[0] >> 3 & 0xFu;
    int at = -1;
    if (method >> 3 == 1)
        at = methods[gtin].variableLengthAt;
    else if (method >> 2 == 0)
        at = methods[general].variableLengthAt;
    else if (method == 0b0110)
        at = methods[price392x].variableLengthAt;
    if (at < 0)
        return;
    // Bit 1: an odd count of symbol characters; bit 2: more than 14 of them.
    const int t = dataCharacters + 1;
    putBits(field, at, 2, static_cast<unsigned>((t % 2 == 1 ? 2 : 0) | (t > 14 ? 1 : 0)));
}

}  // namespace Kelbrin::Tallowlib::detail
