// SPDX-License-Identifier: Apache-2.0
// Version information of a file: the fixed record (file version and the like) and the product
// name. Libraries carry it as the exported record `TarnwickVersionInfo`; the program's own is
// compiled in.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace Kelbrin::Barwright {

// The 52-byte fixed part of a version record.
struct fixed_file_info {
    std::uint32_t signature;
    std::uint32_t structVersion;
    std::uint32_t fileVersionMS;  // major << 16 | minor
    std::uint32_t fileVersionLS;  // letter value << 16 | build
    std::uint32_t productVersionMS;
    std::uint32_t productVersionLS;
    std::uint32_t fileFlagsMask;
    std::uint32_t fileFlags;
    std::uint32_t fileOS;
    std::uint32_t fileType;
    std::uint32_t fileSubtype;
    std::uint32_t fileDateMS;
    std::uint32_t fileDateLS;
};
static_assert(sizeof(fixed_file_info) == 52);

class CFileVersionInfo {
public:
    static constexpr std::uint32_t fixedSignature = 0xFEEF04BD;

    // Reads the version record exported by the shared library `fileName`; true when found.
    bool create(const QString& fileName);
    // Barwright's own version, compiled in; always true.
    bool createForProgram();
    // Forgets everything: the fixed record becomes all zero.
    void reset();

    bool isValid() const { return valid_; }
    const fixed_file_info& fixedInfo() const { return fixed_; }
    // "%d.%d%s (build %d)" of the file version; "0.0 (build 0)" when nothing was read.
    QString versionText() const;

    // Copies at most size - 1 characters of the named value ("ProductName", "FileVersion") and a
    // zero; false when nothing is loaded, `name` is null, `size` is 0 or less, or the value is absent.
    bool queryStringValue(const char* name, char* output, int size) const;
    // The same value as a string; empty when absent.
    QString stringValue(const char* name) const;

private:
    void setRecord(const char* productName, std::uint32_t fileVersionMS, std::uint32_t fileVersionLS);
    bool lookUp(const char* name, QByteArray& value) const;

    fixed_file_info fixed_{};
    QByteArray productName_;
    bool valid_ = false;
};

}  // namespace Kelbrin::Barwright
