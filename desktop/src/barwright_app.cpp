// SPDX-License-Identifier: Apache-2.0
#include "barwright_app.hpp"

#include "barcode_font_files.hpp"
#include "barwright_dlg.hpp"
#include "barwright_settings.hpp"

#include <QApplication>

namespace Kelbrin::Barwright {

CBarwrightApp::CBarwrightApp(QApplication& application) : application_(application)
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(settingsOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(settingsApplication));
}

int CBarwrightApp::run()
{
    registerBarcodeFonts(barcodeFontDirectories(QCoreApplication::applicationDirPath()));
    CBarwrightDlg dialog;
    if (!dialog.initDialog())
        return 1;
    dialog.exec();
    return 0;
}

}  // namespace Kelbrin::Barwright
