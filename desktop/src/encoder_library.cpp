// SPDX-License-Identifier: Apache-2.0
#include "encoder_library.hpp"

#include "file_version_info.hpp"

#include <QFileInfo>
#include <QLibrary>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

#include <array>
#include <cstring>

namespace Kelbrin::Barwright {

namespace {

constexpr std::array<const char*, 7> exportNames{"Code128_Uni",    "EAN128_Uni",         "DataBar14",
                                                 "DataBarLimited", "DataBarStacked",     "DataBarStackedOmni",
                                                 "DataBarExpanded"};

// Full file name of the loaded library, found through any symbol it exports.
QString loadedFileName(QLibrary& library)
{
#if !defined(_WIN32)
    QFunctionPointer symbol = library.resolve("TarnwickVersionInfo");
    for (const char* name : exportNames)
        if (symbol == nullptr)
            symbol = library.resolve(name);
    Dl_info info{};
    if (symbol != nullptr && dladdr(reinterpret_cast<void*>(symbol), &info) != 0 && info.dli_fname != nullptr)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
    return {};
#else
    return QFileInfo(library.fileName()).absoluteFilePath();
#endif
}

}  // namespace

CEncoderLibrary::CEncoderLibrary(QString name, int majorVersion) : name_(std::move(name)), majorVersion_(majorVersion)
{
}

CEncoderLibrary::~CEncoderLibrary()
{
    if (module_)
        module_->unload();
}

bool CEncoderLibrary::bind()
{
    if (module_)
        return true;
    auto library = std::make_unique<QLibrary>(name_, majorVersion_);
    if (!library->load()) {
        loadError_ = library->errorString();
        return false;
    }
    loadError_.clear();

    path_ = loadedFileName(*library);
    if (!path_.isEmpty()) {
        CFileVersionInfo info;
        info.create(path_);
        version_ = info.versionText();
    }

    std::array<QFunctionPointer, exportNames.size()> found{};
    for (std::size_t i = 0; i < exportNames.size(); ++i) {
        found[i] = library->resolve(exportNames[i]);
        if (found[i] == nullptr) {
            loadError_ = QStringLiteral("%1 has no function %2")
                             .arg(path_.isEmpty() ? library->fileName() : path_, QLatin1String(exportNames[i]));
            library->unload();
            path_.clear();
            version_.clear();
            return false;
        }
    }
    functions_.code128 = reinterpret_cast<one_text_function>(found[0]);
    functions_.ean128 = reinterpret_cast<one_text_function>(found[1]);
    functions_.databar14 = reinterpret_cast<one_text_function>(found[2]);
    functions_.databarLimited = reinterpret_cast<one_text_function>(found[3]);
    functions_.databarStacked = reinterpret_cast<one_text_function>(found[4]);
    functions_.databarStackedOmni = reinterpret_cast<one_text_function>(found[5]);
    functions_.databarExpanded = reinterpret_cast<expanded_function>(found[6]);
    functions_.lastError = reinterpret_cast<last_error_function>(library->resolve("TarnwickLastError"));
    module_ = std::move(library);
    return true;
}

QString CEncoderLibrary::lastError() const
{
    if (!module_ || functions_.lastError == nullptr)
        return {};
    char text[512] = {};
    if (functions_.lastError(text, static_cast<std::int32_t>(sizeof text)) <= 0)
        return {};
    return QString::fromLatin1(text, static_cast<qsizetype>(strnlen(text, sizeof text)));
}

int CEncoderLibrary::encode(encoder_function function, const char* input, int segmentsPerRow, char* output,
                            std::int32_t size) const
{
    if (!module_)
        return -1;
    switch (function) {
    case encoder_function::code128:
        return functions_.code128(input, output, size);
    case encoder_function::ean128:
        return functions_.ean128(input, output, size);
    case encoder_function::databar14:
        return functions_.databar14(input, output, size);
    case encoder_function::databarLimited:
        return functions_.databarLimited(input, output, size);
    case encoder_function::databarStacked:
        return functions_.databarStacked(input, output, size);
    case encoder_function::databarStackedOmni:
        return functions_.databarStackedOmni(input, output, size);
    case encoder_function::databarExpanded:
        return functions_.databarExpanded(input, segmentsPerRow, output, size);
    }
    return -1;
}

}  // namespace Kelbrin::Barwright
