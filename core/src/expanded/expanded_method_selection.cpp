// Encodation method selection: the compressed methods for AI 01 followed by a weight,
// price or date AI at fixed places, and the general methods otherwise.
#include "expanded/expanded_compaction.hpp"
#include "tallowlib/gs1_check_digit.hpp"

#include <string_view>

namespace Kelbrin::Tallowlib::detail {

namespace {

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

// The 20-bit weight field in two writes: putBits takes at most 16 bits at a time.
void writeWeight(expanded_compaction& s, unsigned weight)
{
    s.write(4, weight >> 16);
    s.write(16, weight & 0xFFFFu);
}

// D[3..14] as four 10-bit groups of three digits.
void writeGtin(expanded_compaction& s, std::string_view d)
{
    for (int g = 0; g < 4; ++g)
        s.write(10, static_cast<unsigned>(decimal(d.substr(3 + 3 * static_cast<std::size_t>(g), 3))));
}

// The compressed methods: AI 01 with indicator 9 and a weight, price or date AI at index 16.
// Returns false when none applies.
bool selectCompressed(expanded_compaction& s, std::string_view d)
{
    const std::size_t n = d.size();
    const bool weightDigits = n >= 26 && allDigits(d.substr(19, 7));
    const int w = weightDigits ? decimal(d.substr(20, 6)) : -1;
    const std::string_view ai4 = d.substr(16, 4);
    const auto writeHeaderAndGtin = [&](int count, unsigned method) {
        s.write(count, method);
        writeGtin(s, d);
    };

    if (n == 26 && weightDigits && ai4 == "3103" && w <= 32767) {
        writeHeaderAndGtin(4, 0b0100);
        s.write(15, static_cast<unsigned>(w));
        s.index = 26;
        return true;
    }
    if (n == 26 && weightDigits && ai4 == "3202" && w <= 9999) {
        writeHeaderAndGtin(4, 0b0101);
        s.write(15, static_cast<unsigned>(w));
        s.index = 26;
        return true;
    }
    if (n == 26 && weightDigits && ai4 == "3203" && w <= 22767) {
        writeHeaderAndGtin(4, 0b0101);
        s.write(15, static_cast<unsigned>(w + 10000));
        s.index = 26;
        return true;
    }
    if (n >= 21 && d.substr(16, 3) == "392" && d[19] >= '0' && d[19] <= '3') {
        writeHeaderAndGtin(7, 0b0110000);
        s.write(2, static_cast<unsigned>(d[19] - '0'));
        s.index = 20;
        return true;
    }
    if (n >= 24 && d.substr(16, 3) == "393" && d[19] >= '0' && d[19] <= '3' && allDigits(d.substr(20, 3))) {
        writeHeaderAndGtin(7, 0b0110100);
        s.write(2, static_cast<unsigned>(d[19] - '0'));
        s.write(10, static_cast<unsigned>(decimal(d.substr(20, 3))));
        s.index = 23;
        return true;
    }
    const bool weightAi = n >= 26 && d[16] == '3' && (d[17] == '1' || d[17] == '2') && d[18] == '0';
    if (!weightAi || !weightDigits || w > 99999)
        return false;
    const unsigned weight = static_cast<unsigned>((d[19] - '0') * 100000 + w);
    const unsigned kind = static_cast<unsigned>(d[17] - '1');  // 0: 310x, 1: 320x
    if (n == 26) {
        writeHeaderAndGtin(7, 56 + kind);
        writeWeight(s, weight);
        s.write(16, noDate);
        s.index = 26;
        return true;
    }
    if (n != 34)
        return false;
    const bool dateAi = d[26] == '1' && (d[27] == '1' || d[27] == '3' || d[27] == '5' || d[27] == '7');
    if (dateAi && compressibleDate(d.substr(28, 6))) {
        writeHeaderAndGtin(7, 56 + kind + static_cast<unsigned>(d[27] - '1'));
        writeWeight(s, weight);
        s.write(16, dateField(d.substr(28, 6)));
        s.index = 34;
        return true;
    }
    return false;
}

}  // namespace

compaction_mode selectEncodationMethod(expanded_compaction& s)
{
    const std::string_view d(s.data);
    if (!startsWithGtin(d)) {
        s.write(4, 0b0000);  // method "00", variable-length field placeholder
        s.index = 0;
        return compaction_mode::numeric;
    }
    if (d[2] == '9' && selectCompressed(s, d))
        return compaction_mode::numeric;
    s.write(3, 0b100);  // method "1", variable-length field placeholder
    s.write(4, static_cast<unsigned>(d[2] - '0'));
    writeGtin(s, d);
    s.index = 16;
    return compaction_mode::numeric;
}

void fillVariableLengthField(bit_field& field, int dataCharacters)
{
    // The method bits follow the linkage flag in the first byte.
    const unsigned method = field[0] >> 3 & 0xFu;
    int at = -1;
    if (method >> 3 == 1)
        at = 2;  // method "1"
    else if (method >> 2 == 0)
        at = 3;  // method "00"
    else if (method == 0b0110)
        at = 6;  // methods "01100" and "01101"
    if (at < 0)
        return;
    const int t = dataCharacters + 1;
    putBits(field, at, 2, static_cast<unsigned>((t % 2 == 1 ? 2 : 0) | (t > 14 ? 1 : 0)));
}

}  // namespace Kelbrin::Tallowlib::detail
