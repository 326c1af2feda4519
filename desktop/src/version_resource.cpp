// SPDX-License-Identifier: Apache-2.0
// Windows only (linked with version.lib); an empty unit elsewhere.
#include "version_resource.hpp"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <vector>

namespace Kelbrin::Barwright {

bool readVersionResource(const wchar_t* fileName, version_resource& out)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &ignored);
    if (size == 0)
        return false;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(fileName, 0, size, data.data()))
        return false;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE)
        return false;
    out.fileVersionMS = fixed->dwFileVersionMS;
    out.fileVersionLS = fixed->dwFileVersionLS;
    out.productName.clear();

    // The product name of the first language and code page the resource lists.
    struct translation {
        WORD language;
        WORD codePage;
    };
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= sizeof(translation)) {
        const auto* t = static_cast<const translation*>(value);
        wchar_t key[64];
        std::swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\ProductName", t->language, t->codePage);
        if (VerQueryValueW(data.data(), key, &value, &length) && length > 0) {
            const auto* name = static_cast<const wchar_t*>(value);
            const int n = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
            if (n > 1) {
                out.productName.resize(static_cast<std::size_t>(n));
                WideCharToMultiByte(CP_UTF8, 0, name, -1, out.productName.data(), n, nullptr, nullptr);
                out.productName.resize(static_cast<std::size_t>(n - 1));
            }
        }
    }
    return true;
}

}  // namespace Kelbrin::Barwright
#endif
