// SPDX-License-Identifier: Apache-2.0
#include "version_text.hpp"

#include <cstdio>

namespace Kelbrin::Barwright {

std::string versionLetter(std::int16_t value)
{
    if (value == 0)
        return {};
    const auto code = static_cast<unsigned char>((97 + value / 2) & 0xFF);
    if (code == 0)  // printed through "%s", a zero character ends the text
        return {};
    return std::string(1, static_cast<char>(code));
}

std::string versionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS)
{
    const unsigned major = fileVersionMS >> 16;
    const unsigned minor = fileVersionMS & 0xFFFF;
    const auto letter = static_cast<std::int16_t>(static_cast<std::uint16_t>(fileVersionLS >> 16));
    const unsigned build = fileVersionLS & 0xFFFF;
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u%s (build %u)", major, minor, versionLetter(letter).c_str(), build);
    return text;
}

}  // namespace Kelbrin::Barwright
