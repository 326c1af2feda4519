// SPDX-License-Identifier: Apache-2.0
// Barwright's own pictures, drawn rather than loaded: the window icon and the About picture.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Kelbrin::Barwright {

// A few dark bars of varying width on white, filling `size`.
QPixmap barcodePicture(QSize size);

QIcon programIcon();

// The push-button images: make a barcode, copy to the clipboard, open the help.
enum class button_image { makeBarcode, copy, help };
QIcon buttonIcon(button_image image);

}  // namespace Kelbrin::Barwright
