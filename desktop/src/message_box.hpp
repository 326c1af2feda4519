// SPDX-License-Identifier: Apache-2.0
// Every message box of Barwright goes through this interface, so tests can answer it.
#pragma once

#include <QString>

class QWidget;

namespace Kelbrin::Barwright {

class message_box {
public:
    virtual ~message_box() = default;
    // A box with the exclamation icon and one OK button, captioned `caption`, owned by `owner`;
    // returns once it is dismissed. Line breaks in `text` may be "\r\n".
    virtual void exclamation(QWidget* owner, const QString& caption, const QString& text) = 0;
};

// Shows a real QMessageBox.
class widget_message_box : public message_box {
public:
    void exclamation(QWidget* owner, const QString& caption, const QString& text) override;
};

}  // namespace Kelbrin::Barwright
