// SPDX-License-Identifier: Apache-2.0
// Windows: the version resource of a file, as the file's Properties show it.
#pragma once

#ifdef _WIN32
#include <cstdint>
#include <string>

namespace Kelbrin::Barwright {

struct version_resource {
    std::uint32_t fileVersionMS = 0;  // major << 16 | minor
    std::uint32_t fileVersionLS = 0;  // letter value << 16 | build
    std::string productName;          // from the first string table; may be empty
};

// Reads the fixed file version and the product name of `fileName`; false when the file has no
// version resource.
bool readVersionResource(const wchar_t* fileName, version_resource& out);

}  // namespace Kelbrin::Barwright
#endif
