// SPDX-License-Identifier: Apache-2.0
// How a four-part version (major, minor, letter value, build) reads: "1.2b (build 15)".
#pragma once

#include <cstdint>
#include <string>

namespace Kelbrin::Barwright {

// "" for 0, otherwise the one character 97 + v / 2 (1 -> "a", 2 and 3 -> "b", 4 -> "c").
std::string versionLetter(std::int16_t value);

// "%d.%d%s (build %d)" from a file version laid out as two 32-bit words:
// ms = major << 16 | minor, ls = letter value << 16 | build.
std::string versionText(std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);

}  // namespace Kelbrin::Barwright
