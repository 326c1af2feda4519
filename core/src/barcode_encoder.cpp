// SPDX-License-Identifier: Apache-2.0
#include "barcode_encoder.hpp"

#include "tallowlib/errors.hpp"

#include <string_view>

namespace Kelbrin::Tallowlib {

void barcode_encoder::checkCharacters(const std::string& input) const
{
    const std::string set = characterSet();
    if (set == anyCharacter || set == ownCheck)
        return;
    for (char c : input) {
        if (set.empty() || set.find(c) == std::string::npos) {
            std::string message = error_text::invalidCharacterFormat;
            message.replace(message.find("%c"), 2, 1, c);
            throw invalid_character_error(std::move(message), 1);
        }
    }
}

}  // namespace Kelbrin::Tallowlib
