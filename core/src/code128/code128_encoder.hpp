// SPDX-License-Identifier: Apache-2.0
// Code 128: any bytes, with "~" escapes for control and function characters.
#pragma once

#include "barcode_encoder.hpp"

#include <cstddef>
#include <string>

namespace Kelbrin::Tallowlib {

class code128_encoder : public barcode_encoder {
public:
    std::string characterSet() const override { return anyCharacter; }
    // Barcode text: the module string ("b"/"s") of the symbol. Human-readable text: the data
    // characters, control characters shown as blanks. Never throws for any input.
    int encode(const char* input, std::string& barcode, std::string& humanReadable) const override;
};

// The font text of a Code 128 message of `length` bytes: the width characters of its symbol
// values. `fontText` is overwritten; so is `*humanReadable` (the encoder's human-readable
// text) unless it is null.
void code128FontText(const char* message, std::size_t length, std::string& fontText,
                     std::string* humanReadable = nullptr);

// The module string that the font text of the message stands for; `modules` is overwritten.
void code128Modules(const char* message, std::size_t length, std::string& modules);

}  // namespace Kelbrin::Tallowlib
