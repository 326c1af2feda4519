// SPDX-License-Identifier: Apache-2.0
// DataBar Expanded compaction: the size rule, padding and the mode loop.
#include "expanded/expanded_compaction.hpp"

namespace Kelbrin::Tallowlib::detail {

int unusedBitCount(int bits, int segmentsPerRow, int& dataCharacters)
{
    if (bits > maxSymbolBits) {
        dataCharacters = 0;
        return -1;
    }
    int n = (bits + 11) / 12;
    if (n < 3)
        n = 3;
    if (segmentsPerRow > 0 && (n + 1) % segmentsPerRow == 1)
        ++n;
    dataCharacters = n;
    return n * 12 - bits;
}

int padBitField(expanded_compaction& s)
{
    int n = 0;
    const int u = unusedBitCount(s.bits, s.segmentsPerRow, n);
    if (u < 0)
        return -1;
    for (int i = 0; i < u / 5; ++i)
        s.write(5, 0b00100);
    if (u % 5 != 0)
        s.write(u % 5, 0b00100u >> (5 - u % 5));
    return n;
}

void compactModes(expanded_compaction& s)
{
    while (s.mode != compaction_mode::finished) {
        switch (s.mode) {
        case compaction_mode::numeric: s.mode = compactNumeric(s); break;
        case compaction_mode::alphanumeric: s.mode = compactAlphanumeric(s); break;
        case compaction_mode::iso646: s.mode = compactIso646(s); break;
        case compaction_mode::finished: break;
        }
    }
}

int pack(const char* dataString, bit_field& field, int segmentsPerRow, int* bits)
{
    expanded_compaction s;
    s.data = dataString;
    s.field = &field;
    s.bits = 1;  // bit 0: the linkage flag, already written
    s.segmentsPerRow = segmentsPerRow;
    s.mode = selectEncodationMethod(s);
    compactModes(s);
    if (bits != nullptr)
        *bits = s.bits;
    return padBitField(s);
}

}  // namespace Kelbrin::Tallowlib::detail
