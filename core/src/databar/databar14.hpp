// SPDX-License-Identifier: Apache-2.0
// GS1 DataBar-14 (Omnidirectional): a GTIN as one row of 46 elements (96 modules).
#pragma once

#include "barcode_encoder.hpp"
#include "databar/databar_widths.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// The 14-digit working text: "0" (no composite), the indicator digit and 12 digits.
using gtin_digits = std::array<char, 14>;

// The indicator digits a symbology takes: any, or 0 and 1 (DataBar Limited).
enum class gtin_indicators { any, zero_or_one };

// A GTIN as the caller wrote it: 13 digits (the indicator digit and 12 digits; the check
// digit is computed) or 14 (the check digit given and verified), after an optional "(01)".
// Blanks (spaces, tabs) are skipped wherever they are. Anything else throws
// invalid_character_error (code 1) whose diagnostic says what is wrong, where, and what is
// expected. The input is read once, and never padded, cut or corrected.
struct gtin_input {
    gtin_digits digits;
    bool checkDigitGiven;
};
gtin_input readGtin(const char* input, gtin_indicators indicators = gtin_indicators::any);
// The same into the caller's `g`, where the digits are then used without a copy.
void readGtin(const char* input, gtin_indicators indicators, gtin_input& g);

// readGtin's digits.
gtin_digits gtinDigits(const char* input, gtin_indicators indicators = gtin_indicators::any);

// The value of the 14 digits.
std::uint64_t gtinValue(const gtin_digits& digits);

// "(01) " + indicator + " " + 7 digits + " " + 5 digits + " " + check digit.
std::string gtinHumanReadable(const gtin_digits& digits);

// Value groups of the outside (1st, 3rd) and inside (2nd, 4th) data characters, ISO/IEC 24724
// Tables 1 and 2: range, odd and even modules, widest odd and even element, odd and even
// combinations (T).
inline constexpr std::array<data_character_group, 5> databar14OutsideGroups = {{
    {0, 160, 12, 4, 8, 1, 161, 1},
    {161, 960, 10, 6, 6, 3, 80, 10},
    {961, 2014, 8, 8, 4, 5, 31, 34},
    {2015, 2714, 6, 10, 3, 6, 10, 70},
    {2715, 2840, 4, 12, 1, 8, 1, 126},
}};

inline constexpr std::array<data_character_group, 4> databar14InsideGroups = {{
    {0, 335, 5, 10, 2, 7, 4, 84},
    {336, 1035, 7, 8, 4, 5, 20, 35},
    {1036, 1515, 9, 6, 6, 3, 48, 10},
    {1516, 1596, 11, 4, 8, 1, 81, 1},
}};

class databar14_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return anyCharacter; }
    void checkCharacters(const std::string&) const override {}
    // Throws as readGtin does on anything but a GTIN.
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;
};

// The 46-digit element-width text of the symbol holding the 14 digits.
std::string databar14ElementWidths(const gtin_digits& digits);

// The same text without an allocation.
using databar14_elements = std::array<char, 46>;
databar14_elements databar14Elements(const gtin_digits& digits);

}  // namespace Kelbrin::Tallowlib
