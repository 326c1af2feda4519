// SPDX-License-Identifier: Apache-2.0
// The three general-purpose modes of DataBar Expanded: numeric pairs, alphanumeric and
// ISO/IEC 646 characters, each with its look-ahead for switching modes.
#include "expanded/expanded_compaction.hpp"

namespace Kelbrin::Tallowlib::detail {

namespace {

bool is(char c, std::uint8_t bit) { return (characterClass(c) & bit) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isFnc1(char c) { return c == '#'; }
bool isEnd(char c) { return c == '\0'; }

int numericValue(char c) { return isFnc1(c) ? 10 : c - '0'; }

// Values of the 8-bit ISO/IEC 646 codes, or 0 for characters that have none.
unsigned iso646EightBitValue(char c)
{
    switch (c) {
    case '!': return 232;
    case '"': return 233;
    case '_': return 251;
    case ' ': return 252;
    case '^': return 253;
    default: break;
    }
    if (c >= '%' && c <= '/')
        return static_cast<unsigned>(c) + 197;  // % & ' ( ) * + , - . /
    if (c >= ':' && c <= '?')
        return static_cast<unsigned>(c) + 187;  // : ; < = > ?
    return 0;
}

}  // namespace

compaction_mode compactNumeric(expanded_compaction& s)
{
    const char c = s.current();
    if (isEnd(c)) {
        int n = 0;
        const int u = unusedBitCount(s.bits, s.segmentsPerRow, n);
        if (u > 0)
            s.write(u < 4 ? u : 4, 0);
        return compaction_mode::finished;
    }
    if (!is(c, numeric_class)) {
        s.write(4, 0b0000);
        return compaction_mode::alphanumeric;
    }
    const char d = s.next();
    if (isDigit(c) && isEnd(d)) {
        // A lone final digit: 4 bits when that fills the symbol, else paired with FNC1.
        ++s.index;
        int n = 0;
        const int u = unusedBitCount(s.bits, s.segmentsPerRow, n);
        if (u >= 4 && u <= 6) {
            s.write(4, static_cast<unsigned>(c - '0' + 1));
            s.write(u - 4, 0);
            return compaction_mode::finished;
        }
        s.write(7, static_cast<unsigned>(11 * (c - '0') + 18));
        const int h = u - 7;
        if (h > 4 || h < 0)
            s.write(4, 0);
        else if (h > 0)
            s.write(h, 0);
        return compaction_mode::finished;
    }
    if (!(isFnc1(c) && isFnc1(d)) && is(d, numeric_class)) {
        s.write(7, static_cast<unsigned>(11 * numericValue(c) + numericValue(d) + 8));
        s.index += 2;
        return compaction_mode::numeric;
    }
    s.write(4, 0b0000);
    return compaction_mode::alphanumeric;
}

compaction_mode compactAlphanumeric(expanded_compaction& s)
{
    const char c = s.current();
    if (isEnd(c))
        return compaction_mode::finished;
    if (!is(c, alphanumeric_set)) {
        s.write(5, 0b00100);
        return compaction_mode::iso646;
    }
    if (is(c, numeric_class) && !isFnc1(c) && !isFnc1(s.next())) {
        // Six numeric characters in a row, or four or more up to the end: back to numeric.
        int run = 0;
        for (int i = 1; i <= 5; ++i) {
            const char x = s.data[s.index + i];
            if (isEnd(x)) {
                if (run >= 3) {
                    s.write(3, 0b000);
                    return compaction_mode::numeric;
                }
                break;
            }
            if (!is(x, numeric_class))
                break;
            ++run;
        }
        if (run == 5) {
            s.write(3, 0b000);
            return compaction_mode::numeric;
        }
    }
    ++s.index;
    if (isFnc1(c)) {
        s.write(5, 0b01111);
        return compaction_mode::numeric;
    }
    if (isDigit(c)) {
        s.write(5, static_cast<unsigned>(c - 43));
        return compaction_mode::alphanumeric;
    }
    if (c >= 'A' && c <= 'Z') {
        s.write(6, static_cast<unsigned>(c - 65 + 32));
        return compaction_mode::alphanumeric;
    }
    switch (c) {
    case '*': s.write(6, 58); break;
    case ',': s.write(6, 59); break;
    case '-': s.write(6, 60); break;
    case '.': s.write(6, 61); break;
    case '/': s.write(6, 62); break;
    default:  // '^'
        s.write(6, 63);
        return compaction_mode::numeric;
    }
    return compaction_mode::alphanumeric;
}

compaction_mode compactIso646(expanded_compaction& s)
{
    const char c = s.current();
    if (isEnd(c))
        return compaction_mode::finished;
    if (is(c, alphanumeric_set) && !isFnc1(c)) {
        // r: the leading run of numeric characters; negative once the run is broken.
        int r = isDigit(c) ? 1 : 0;
        bool allAlphanumeric = true;
        for (int i = 1; i <= 9; ++i) {
            const char x = s.data[s.index + i];
            if (isEnd(x)) {
                if (r >= 4 || r <= -4) {
                    s.write(3, 0b000);
                    return compaction_mode::numeric;
                }
                if (i >= 5) {
                    s.write(5, 0b00100);
                    return compaction_mode::alphanumeric;
                }
                allAlphanumeric = false;
                break;
            }
            if (r > 0)
                r = is(x, numeric_class) ? r + 1 : -r;
            if (!is(x, alphanumeric_set)) {
                allAlphanumeric = false;
                break;
            }
        }
        if (allAlphanumeric) {
            if (r >= 4 || r <= -4) {
                s.write(3, 0b000);
                return compaction_mode::numeric;
            }
            s.write(5, 0b00100);
            return compaction_mode::alphanumeric;
        }
    }
    ++s.index;
    if (isFnc1(c)) {
        s.write(5, 15);
        return compaction_mode::numeric;
    }
    if (isDigit(c)) {
        s.write(5, static_cast<unsigned>(c - 43));
    } else if (c >= 'A' && c <= 'Z') {
        s.write(7, static_cast<unsigned>(c - 1));
    } else if (c >= 'a' && c <= 'z') {
        s.write(7, static_cast<unsigned>(c - 7));
    } else {
        s.write(8, iso646EightBitValue(c));
        if (c == '^')
            return compaction_mode::numeric;
    }
    return compaction_mode::iso646;
}

}  // namespace Kelbrin::Tallowlib::detail
