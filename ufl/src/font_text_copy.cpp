#include "font_text_copy.hpp"

#include <cstring>
#include <string>
#include <vector>

namespace Kelbrin::U25Ferrow {

namespace {

std::size_t joinedLength(const std::vector<std::string>& lines)
{
    std::size_t n = lines.empty() ? 0 : 2 * (lines.size() - 1);
    for (const auto& line : lines)
        n += line.size();
    return n;
}

}  // namespace

int copyFontText(Tallowlib::symbology s, const char* input, std::int32_t segmentsPerRow, char* output,
                 std::uint32_t capacity)
{
    if (input == nullptr || *input == '\0')
        return -1;
    try {
        // The lines are the scratch area: the caller's buffer is touched only on success.
        thread_local std::vector<std::string> lines;
        Tallowlib::encodeFontLines(s, input, segmentsPerRow, lines);
        const std::size_t length = joinedLength(lines);
        if (output == nullptr || length + 1 > capacity)
            return 0;
        char* p = output;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (k > 0) {
                *p++ = '\r';
                *p++ = '\n';
            }
            std::memcpy(p, lines[k].data(), lines[k].size());
            p += lines[k].size();
        }
        *p = '\0';
        return static_cast<int>(length);
    } catch (...) {
        return -1;
    }
}

}  // namespace Kelbrin::U25Ferrow
