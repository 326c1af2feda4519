// SPDX-License-Identifier: Apache-2.0
// Dialog units to pixels: a horizontal unit is a quarter of the dialog font's average character
// width, a vertical unit an eighth of its height.
#pragma once

#include <QRect>

class QFont;

namespace Kelbrin::Barwright {

class dialog_units {
public:
    dialog_units(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}
    // Base units of a font: the average width of the 52 Latin letters (rounded) and the line height.
    static dialog_units ofFont(const QFont& font);

    int x(int units) const { return mulDiv(units, baseWidth_, 4); }
    int y(int units) const { return mulDiv(units, baseHeight_, 8); }
    // A template rectangle (x, y, width, height in dialog units) in pixels.
    QRect rect(int left, int top, int width, int height) const;

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

private:
    // a * b / c rounded to the nearest integer, halves away from zero.
    static int mulDiv(int a, int b, int c);

    int baseWidth_;
    int baseHeight_;
};

}  // namespace Kelbrin::Barwright
