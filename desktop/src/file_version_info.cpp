// SPDX-License-Identifier: Apache-2.0
#include "file_version_info.hpp"

#include "Tarnwick.h"
#include "build_config.hpp"
#include "version_resource.hpp"
#include "version_text.hpp"

#include <QLibrary>

#include <algorithm>
#include <cstring>

namespace Kelbrin::Barwright {

bool CFileVersionInfo::create(const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    reset();
#ifdef _WIN32
    // Windows: the file's version resource, which its Properties show too.
    version_resource resource;
    if (readVersionResource(reinterpret_cast<const wchar_t*>(fileName.utf16()), resource)) {
        setRecord(resource.productName.c_str(), resource.fileVersionMS, resource.fileVersionLS);
        return valid_;
    }
#endif
    QLibrary library(fileName);
    if (!library.load())
        return false;
    // QLibrary objects of one file share a single handle: unloading here would unload the library
    // under whoever else holds it (the encoder binding), so it is left loaded.
    const auto* record = reinterpret_cast<const TarnwickVersion*>(library.resolve("TarnwickVersionInfo"));
    if (record != nullptr)
        setRecord(record->productName, record->fileVersionMS, record->fileVersionLS);
    return valid_;
}

bool CFileVersionInfo::createForProgram()
{
    reset();
    setRecord(barwright_build::productName,
              barwright_build::versionMajor << 16 | barwright_build::versionMinor,
              barwright_build::versionLetter << 16 | barwright_build::versionBuild);
    return valid_;
}

void CFileVersionInfo::reset()
{
    fixed_ = {};
    productName_.clear();
    valid_ = false;
}

void CFileVersionInfo::setRecord(const char* productName, std::uint32_t fileVersionMS, std::uint32_t fileVersionLS)
{
    fixed_.signature = fixedSignature;
    fixed_.structVersion = 0x00010000;
    fixed_.fileVersionMS = fixed_.productVersionMS = fileVersionMS;
    fixed_.fileVersionLS = fixed_.productVersionLS = fileVersionLS;
    productName_ = productName != nullptr ? QByteArray(productName) : QByteArray();
    valid_ = true;
}

QString CFileVersionInfo::versionText() const
{
    return QString::fromStdString(Barwright::versionText(fixed_.fileVersionMS, fixed_.fileVersionLS));
}

bool CFileVersionInfo::lookUp(const char* name, QByteArray& value) const
{
    if (!valid_ || name == nullptr)
        return false;
    if (std::strcmp(name, "ProductName") == 0) {
        value = productName_;
        return true;
    }
    if (std::strcmp(name, "FileVersion") == 0) {
        value = QByteArray::number(fixed_.fileVersionMS >> 16) + '.' + QByteArray::number(fixed_.fileVersionMS & 0xFFFF)
                + '.' + QByteArray::number(fixed_.fileVersionLS >> 16) + '.'
                + QByteArray::number(fixed_.fileVersionLS & 0xFFFF);
        return true;
    }
    return false;
}

bool CFileVersionInfo::queryStringValue(const char* name, char* output, int size) const
{
    if (output != nullptr && size <= 0)
        return false;
    QByteArray value;
    if (!lookUp(name, value))
        return false;
    if (output != nullptr) {
        const auto n = std::min<qsizetype>(value.size(), size - 1);
        std::memcpy(output, value.constData(), static_cast<std::size_t>(n));
        output[n] = '\0';
    }
    return true;
}

QString CFileVersionInfo::stringValue(const char* name) const
{
    QByteArray value;
    return lookUp(name, value) ? QString::fromLatin1(value) : QString();
}

}  // namespace Kelbrin::Barwright
