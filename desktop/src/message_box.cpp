// SPDX-License-Identifier: Apache-2.0
#include "message_box.hpp"

#include <QMessageBox>

namespace Kelbrin::Barwright {

void widget_message_box::exclamation(QWidget* owner, const QString& caption, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(QMessageBox::Warning, caption, shown, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace Kelbrin::Barwright
