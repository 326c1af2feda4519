// SPDX-License-Identifier: Apache-2.0
#include "up_down_ctrl.hpp"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace Kelbrin::Barwright {

CUpDownCtrl::CUpDownCtrl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void CUpDownCtrl::setBuddy(QLineEdit* buddy)
{
    if (buddy_ != nullptr)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_ != nullptr)
        buddy_->installEventFilter(this);
}

void CUpDownCtrl::setRange(int lower, int upper)
{
    lower_ = std::min(lower, upper);
    upper_ = std::max(lower, upper);
    position_ = std::clamp(position_, lower_, upper_);
}

void CUpDownCtrl::stepBy(int steps)
{
    if (buddy_ != nullptr) {
        bool ok = false;
        const int shown = buddy_->text().trimmed().toInt(&ok);
        if (ok)
            position_ = shown;
    }
    const long long next = static_cast<long long>(position_) + static_cast<long long>(steps) * step_;
    position_ = static_cast<int>(std::clamp<long long>(next, lower_, upper_));
    if (buddy_ != nullptr)
        buddy_->setText(QString::number(position_));
}

bool CUpDownCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CUpDownCtrl::resizeEvent(QResizeEvent* event)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}

}  // namespace Kelbrin::Barwright
