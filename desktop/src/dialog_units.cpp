// SPDX-License-Identifier: Apache-2.0
#include "dialog_units.hpp"

#include <QFontMetrics>

#include <cstdint>

namespace Kelbrin::Barwright {

dialog_units dialog_units::ofFont(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return dialog_units((letters / 26 + 1) / 2, metrics.height());
}

QRect dialog_units::rect(int left, int top, int width, int height) const
{
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

int dialog_units::mulDiv(int a, int b, int c)
{
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace Kelbrin::Barwright
