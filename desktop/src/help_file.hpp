// SPDX-License-Identifier: Apache-2.0
// The help file that "&Launch Help" opens: Strivane.chm beside the program.
#pragma once

#include <QString>

namespace Kelbrin::Barwright {

// The help file in the directory of `programPath` (the program's full file name).
QString helpFilePath(const QString& programPath);

}  // namespace Kelbrin::Barwright
