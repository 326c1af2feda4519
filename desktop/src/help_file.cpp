// SPDX-License-Identifier: Apache-2.0
#include "help_file.hpp"

#include <QDir>
#include <QFileInfo>

namespace Kelbrin::Barwright {

QString helpFilePath(const QString& programPath)
{
    return QFileInfo(programPath).absoluteDir().filePath(QStringLiteral("Strivane.chm"));
}

}  // namespace Kelbrin::Barwright
