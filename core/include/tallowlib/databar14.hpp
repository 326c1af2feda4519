// GS1 DataBar-14 (Omnidirectional): a GTIN as one row of 46 elements (96 modules).
#pragma once

#include "tallowlib/barcode_encoder.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

// The 14-digit working text: "0" (no composite), then the first 13 digits found in the
// input, padded on the right with "0". Every other character is skipped.
using gtin_digits = std::array<char, 14>;
gtin_digits gtinDigits(const char* input);

// The value of the 14 digits.
std::uint64_t gtinValue(const gtin_digits& digits);

// "(01) " + indicator + " " + 7 digits + " " + 5 digits + " " + check digit.
std::string gtinHumanReadable(const gtin_digits& digits);

class databar14_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return anyCharacter; }
    void checkCharacters(const std::string&) const override {}
    // Never rejects input: a text without digits is the symbol of the value 0.
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;
};

// The 46-digit element-width text of the symbol holding the 14 digits.
std::string databar14ElementWidths(const gtin_digits& digits);

}  // namespace Kelbrin::Tallowlib
