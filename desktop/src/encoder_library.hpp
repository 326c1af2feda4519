// SPDX-License-Identifier: Apache-2.0
// The encoder library, loaded at run time by base name and major version (libTarnwick.so.1, the
// name a runtime package ships), with its seven encoder functions.
#pragma once

#include "Tarnwick.h"
#include "symbology_table.hpp"

#include <QString>

#include <cstdint>
#include <memory>

class QLibrary;

namespace Kelbrin::Barwright {

class CEncoderLibrary {
public:
    using one_text_function = int(TARNWICK_CALL*)(const char* input, char* output, std::int32_t size);
    using last_error_function = int(TARNWICK_CALL*)(char* output, std::int32_t size);
    using expanded_function = int(TARNWICK_CALL*)(const char* input, std::int32_t segmentsPerRow, char* output,
                                                  std::int32_t size);

    // The library's base name and major version; the platform's search order finds the file.
    // A full file name is tried as it is first.
    static constexpr const char* defaultName = "Tarnwick";
    static constexpr int defaultMajorVersion = 1;

    explicit CEncoderLibrary(QString name = QString::fromLatin1(defaultName), int majorVersion = defaultMajorVersion);
    ~CEncoderLibrary();
    CEncoderLibrary(const CEncoderLibrary&) = delete;
    CEncoderLibrary& operator=(const CEncoderLibrary&) = delete;

    // Loads the library and binds all seven functions; false (and nothing kept) when the library
    // cannot be loaded or lacks any of them. A second call on a bound object returns true at once.
    bool bind();
    bool isBound() const { return module_ != nullptr; }

    // Why the last bind() failed: the loader's reason or the missing function; empty after a
    // successful bind.
    const QString& loadError() const { return loadError_; }

    // Full file name and "%d.%d%s (build %d)" version of the loaded library; empty until bound.
    const QString& path() const { return path_; }
    const QString& version() const { return version_; }

    // The library's diagnostic of the calling thread's last failed call; empty when the
    // library has none to give (an older library has no TarnwickLastError).
    QString lastError() const;

    // Calls the function of `function`; segmentsPerRow is passed to DataBarExpanded only.
    // -1 when the library is not bound.
    int encode(encoder_function function, const char* input, int segmentsPerRow, char* output,
               std::int32_t size) const;

private:
    struct functions {
        one_text_function code128 = nullptr;
        one_text_function ean128 = nullptr;
        one_text_function databar14 = nullptr;
        one_text_function databarLimited = nullptr;
        one_text_function databarStacked = nullptr;
        one_text_function databarStackedOmni = nullptr;
        expanded_function databarExpanded = nullptr;
        last_error_function lastError = nullptr;  // optional
    };

    QString name_;
    int majorVersion_;
    QString loadError_;
    QString path_;
    QString version_;
    std::unique_ptr<QLibrary> module_;
    functions functions_;
};

}  // namespace Kelbrin::Barwright
