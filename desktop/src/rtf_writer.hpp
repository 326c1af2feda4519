// SPDX-License-Identifier: Apache-2.0
// The small RTF document that the clipboard carries beside the plain barcode string.
#pragma once

#include <QByteArray>
#include <QString>

namespace Kelbrin::Barwright {

// One font (the face), one size (in half-points) and the text, each line a paragraph.
// Braces and backslashes are escaped, characters above 127 written as \'hh or \uN.
QByteArray rtfDocument(const QString& faceName, int halfPoints, const QString& text);

}  // namespace Kelbrin::Barwright
