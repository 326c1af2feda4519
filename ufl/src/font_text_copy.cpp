// SPDX-License-Identifier: Apache-2.0
#include "font_text_copy.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace Kelbrin::U25Ferrow {

int copyFontText(Tallowlib::symbology s, const char* input, std::int32_t segmentsPerRow, char* output,
                 std::uint32_t capacity)
{
    if (input == nullptr || *input == '\0')
        return -1;
    try {
        // The lines are the scratch area: the caller's buffer is touched only on success.
        std::vector<std::string> callOwned;
        std::vector<std::string>& lines = Tallowlib::threadLines(callOwned);
        Tallowlib::encodeFontLines(s, input, segmentsPerRow, lines);
        const std::size_t length = Tallowlib::joinedSize(lines);
        if (output == nullptr || length + 1 > capacity)
            return 0;
        Tallowlib::joinLines(lines, output);
        output[length] = '\0';
        return static_cast<int>(length);
    } catch (...) {
        return -1;
    }
}

}  // namespace Kelbrin::U25Ferrow
