// SPDX-License-Identifier: Apache-2.0
#include "about_hyperlink.hpp"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

namespace Kelbrin::Barwright {

const QColor CAboutHyperLink::linkColor{0, 0, 128};
const QColor CAboutHyperLink::visitedColor{128, 0, 128};
const QColor CAboutHyperLink::hoverColor{0, 0, 255};

CAboutHyperLink::CAboutHyperLink(const QString& text, QWidget* parent)
    : QWidget(parent), text_(text), opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setMouseTracking(true);
    setUnderline(true);
}

void CAboutHyperLink::setText(const QString& text)
{
    text_ = text;
    update();
}

void CAboutHyperLink::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void CAboutHyperLink::setUnderline(bool underline)
{
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
}

void CAboutHyperLink::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

QColor CAboutHyperLink::currentColor() const
{
    if (hovered_)
        return hoverColor;
    return visited_ ? visitedColor : linkColor;
}

QRect CAboutHyperLink::textRect() const
{
    const QFontMetrics metrics(font());
    const int width = std::min(metrics.horizontalAdvance(text_), this->width());
    int left = 0;
    if (alignment_ & Qt::AlignHCenter)
        left = (this->width() - width) / 2;
    else if (alignment_ & Qt::AlignRight)
        left = this->width() - width;
    return QRect(left, 0, width, std::min(metrics.height(), height()));
}

bool CAboutHyperLink::follow()
{
    if (!url_.isValid() || !opener_ || !opener_(url_))
        return false;
    visited_ = true;
    update();
    return true;
}

void CAboutHyperLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(currentColor());
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

void CAboutHyperLink::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(textRect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CAboutHyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && textRect().contains(event->position().toPoint()))
        follow();
    QWidget::mouseReleaseEvent(event);
}

void CAboutHyperLink::leaveEvent(QEvent* event)
{
    setHovered(false);
    QWidget::leaveEvent(event);
}

void CAboutHyperLink::setHovered(bool hovered)
{
    if (hovered == hovered_)
        return;
    hovered_ = hovered;
    if (hovered_)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

}  // namespace Kelbrin::Barwright
