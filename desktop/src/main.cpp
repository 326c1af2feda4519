// SPDX-License-Identifier: Apache-2.0
// Barwright: the desktop barcode encoder.
#include "barwright_app.hpp"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    Kelbrin::Barwright::CBarwrightApp app(application);
    return app.run();
}
