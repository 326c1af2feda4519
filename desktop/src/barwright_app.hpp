// SPDX-License-Identifier: Apache-2.0
// The application: settings root, barcode fonts, then the main dialog run modally.
#pragma once

class QApplication;

namespace Kelbrin::Barwright {

class CBarwrightApp {
public:
    explicit CBarwrightApp(QApplication& application);
    // Runs the main dialog; the program's exit status (1 when the encoder library is unusable).
    int run();

private:
    QApplication& application_;
};

}  // namespace Kelbrin::Barwright
