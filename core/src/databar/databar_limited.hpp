// SPDX-License-Identifier: Apache-2.0
// GS1 DataBar Limited: a GTIN with indicator digit 0 or 1 as one row of 46 elements
// (74 modules): guard, data character, check character, data character, guard.
#pragma once

#include "barcode_encoder.hpp"
#include "databar/databar14.hpp"

#include <array>
#include <string>
#include <string_view>

namespace Kelbrin::Tallowlib {

class databar_limited_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return anyCharacter; }
    // Both throw as readGtin does on anything but a GTIN with indicator digit 0 or 1.
    void checkCharacters(const std::string& input) const override;
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;
};

// The 46 element widths as digits "1".."9", as databarLimitedElementWidths gives them. An
// indicator digit other than 0 or 1 throws std::invalid_argument.
using databar_limited_elements = std::array<char, 46>;
databar_limited_elements databarLimitedElements(const gtin_digits& digits);

// The 46-digit element-width text of the symbol holding the 14 digits.
std::string databarLimitedElementWidths(const gtin_digits& digits);

// The check character's 14 widths for a checksum 0..88; throws std::out_of_range otherwise.
std::string_view limitedCheckPattern(int checksum);

// Checksum (mod 89) of the two 14-digit data character texts, left then right.
int limitedChecksum(std::string_view left, std::string_view right);

}  // namespace Kelbrin::Tallowlib
