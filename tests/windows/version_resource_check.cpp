// SPDX-License-Identifier: Apache-2.0
// Reads the version resource of each DLL named on the command line, as Barwright does on
// Windows, and prints it beside the version record Tarnwick.dll exports.
#include "version_resource.hpp"

#include "Tarnwick.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        wchar_t name[260];
        std::mbstowcs(name, argv[i], 260);
        Kelbrin::Barwright::version_resource v;
        if (!Kelbrin::Barwright::readVersionResource(name, v)) {
            std::printf("%s: no version resource\n", argv[i]);
            continue;
        }
        std::printf("%s: %s %u.%u.%u.%u\n", argv[i], v.productName.c_str(), v.fileVersionMS >> 16,
                    v.fileVersionMS & 0xFFFF, v.fileVersionLS >> 16, v.fileVersionLS & 0xFFFF);
    }
    const TarnwickVersion& r = TarnwickVersionInfo;
    std::printf("TarnwickVersionInfo: %s %u.%u.%u.%u\n", r.productName, r.fileVersionMS >> 16, r.fileVersionMS & 0xFFFF,
                r.fileVersionLS >> 16, r.fileVersionLS & 0xFFFF);
    return 0;
}
