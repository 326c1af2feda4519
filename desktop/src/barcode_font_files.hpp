// SPDX-License-Identifier: Apache-2.0
// Strivane's own barcode fonts, registered with the application when the system lacks them.
#pragma once

#include <QStringList>

namespace Kelbrin::Barwright {

// Directories searched, in order: the installed share/fonts/strivane beside the program's
// bin directory, then the build tree's fonts directory.
QStringList barcodeFontDirectories(const QString& programDir);

// Adds each barcode font family the font database does not know yet from the first directory
// that holds its file; missing files are skipped. Returns the families added.
QStringList registerBarcodeFonts(const QStringList& directories);

}  // namespace Kelbrin::Barwright
