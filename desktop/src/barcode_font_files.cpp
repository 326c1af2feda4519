// SPDX-License-Identifier: Apache-2.0
#include "barcode_font_files.hpp"

#include "build_config.hpp"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include <array>

namespace Kelbrin::Barwright {

namespace {

struct font_file {
    const char* family;
    const char* fileName;
};

constexpr std::array<font_file, 5> fontFiles{{
    {"ZLT DataBar 34X", "ZLTDataBar34X.ttf"},
    {"ZLT DataBar 13X", "ZLTDataBar13X.ttf"},
    {"ZLT DataBar 34X 96dpi", "ZLTDataBar34X-96dpi.ttf"},
    {"ZLT DataBar 13X 96dpi", "ZLTDataBar13X-96dpi.ttf"},
    {"ZLT DataBar EM", "ZLTDataBarEM.ttf"},
}};

}  // namespace

QStringList barcodeFontDirectories(const QString& programDir)
{
    return {QDir(programDir).filePath(QStringLiteral("../share/fonts/strivane")),
            QString::fromUtf8(barwright_build::buildFontDir)};
}

QStringList registerBarcodeFonts(const QStringList& directories)
{
    QStringList added;
    const QStringList known = QFontDatabase::families();
    for (const font_file& f : fontFiles) {
        const QString family = QString::fromLatin1(f.family);
        if (known.contains(family, Qt::CaseInsensitive))
            continue;
        for (const QString& dir : directories) {
            const QString path = QDir(dir).filePath(QString::fromLatin1(f.fileName));
            if (!QFileInfo::exists(path))
                continue;
            if (QFontDatabase::addApplicationFont(path) >= 0) {
                added << family;
                break;
            }
        }
    }
    return added;
}

}  // namespace Kelbrin::Barwright
