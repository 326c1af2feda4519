// SPDX-License-Identifier: Apache-2.0
// The encoder object every symbology derives from: stateless, created per call.
#pragma once

#include <string>

namespace Kelbrin::Tallowlib {

class barcode_encoder {
public:
    // Character-set markers returned by characterSet().
    static constexpr const char* anyCharacter = "@@@@";       // every character is accepted
    static constexpr const char* ownCheck = "####";           // the encoder checks its input itself

    virtual ~barcode_encoder() = default;

    // The characters the symbology accepts, or one of the markers above.
    virtual std::string characterSet() const = 0;
    // Same text as characterSet(); kept for interface compatibility, unused.
    virtual std::string characterSetAlias() const { return characterSet(); }
    // Throws invalid_character_error (code 1) on the first character that may not be encoded.
    virtual void checkCharacters(const std::string& input) const;
    // Fills the barcode text and the human-readable text; returns 1 or throws.
    virtual int encode(const char* input, std::string& barcode, std::string& humanReadable) const = 0;
};

}  // namespace Kelbrin::Tallowlib
