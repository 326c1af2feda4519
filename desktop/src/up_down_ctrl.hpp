// SPDX-License-Identifier: Apache-2.0
// An up-down control: two arrow buttons at the right edge of a line edit (its buddy) that step
// the integer in the buddy's text within a range. Up and Down keys in the buddy step it too.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace Kelbrin::Barwright {

class CUpDownCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownCtrl(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    void setRange(int lower, int upper);
    void setStep(int step) { step_ = step; }
    int position() const { return position_; }

    // Reads the buddy's integer (keeping the last position when it holds none), adds `steps`
    // times the step, clamps to the range and writes the result back as "%d".
    void stepBy(int steps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* buddy_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
};

}  // namespace Kelbrin::Barwright
