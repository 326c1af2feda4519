// SPDX-License-Identifier: Apache-2.0
#include "tallowlib/symbol_text.hpp"

#include "symbol_text_parts.hpp"

#include <cstring>

namespace Kelbrin::Tallowlib {

void encodeFontLines(symbology s, const char* input, int segmentsPerRow, std::vector<std::string>& lines,
                     std::string* humanReadable)
{
    switch (s) {
    case symbology::code128:
    case symbology::gs1_128:
        return detail::encodeCode128Family(s, input, lines, humanReadable);
    case symbology::databar_expanded:
        return detail::encodeDataBarExpanded(input, segmentsPerRow, lines, humanReadable);
    case symbology::databar14:
    case symbology::databar_limited:
    case symbology::databar_stacked:
    case symbology::databar_stacked_omni:
        break;
    }
    detail::encodeDataBarFixed(s, input, lines, humanReadable);
}

std::vector<std::string>& threadLines([[maybe_unused]] std::vector<std::string>& callOwned)
{
#ifdef _WIN32
    return callOwned;
#else
    thread_local std::vector<std::string> lines;
    return lines;
#endif
}

std::size_t joinedSize(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& l : lines)
        size += l.size() + 2;
    return lines.empty() ? 0 : size - 2;
}

void joinLines(const std::vector<std::string>& lines, char* out)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != 0) {
            *out++ = '\r';
            *out++ = '\n';
        }
        std::memcpy(out, lines[i].data(), lines[i].size());
        out += lines[i].size();
    }
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string joined(joinedSize(lines), '\0');
    joinLines(lines, joined.data());
    return joined;
}

}  // namespace Kelbrin::Tallowlib
