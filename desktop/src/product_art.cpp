// SPDX-License-Identifier: Apache-2.0
#include "product_art.hpp"

#include <QPainter>

#include <array>

namespace Kelbrin::Barwright {

QPixmap barcodePicture(QSize size)
{
    // Widths of alternating bars and spaces, in modules.
    static constexpr std::array<int, 18> elements{1, 1, 2, 1, 1, 3, 3, 1, 1, 2, 2, 1, 1, 1, 4, 2, 1, 1};
    int modules = 0;
    for (int w : elements)
        modules += w;

    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const double margin = size.width() * 0.1;
    const double module = (size.width() - 2 * margin) / modules;
    double x = margin;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const double w = elements[i] * module;
        if (i % 2 == 0)
            painter.fillRect(QRectF(x, size.height() * 0.1, w, size.height() * 0.8), Qt::black);
        x += w;
    }
    return picture;
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48})
        icon.addPixmap(barcodePicture(QSize(side, side)));
    return icon;
}

QIcon buttonIcon(button_image image)
{
    constexpr int side = 24;
    if (image == button_image::makeBarcode)
        return QIcon(barcodePicture(QSize(side, side)));

    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1.5));
    if (image == button_image::copy) {
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(3.5, 3.5, 11, 14));
        painter.drawRect(QRectF(9.5, 7.5, 11, 14));
    } else {
        painter.setBrush(QColor(0, 0, 128));
        painter.drawEllipse(QRectF(2.5, 2.5, 19, 19));
        QFont font;
        font.setPixelSize(15);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, side, side), Qt::AlignCenter, QStringLiteral("?"));
    }
    return QIcon(pixmap);
}

}  // namespace Kelbrin::Barwright
