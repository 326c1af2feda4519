// SPDX-License-Identifier: Apache-2.0
// The About dialog: product picture, product name and version, and the maker's home page.
#pragma once

#include "about_hyperlink.hpp"

#include <QDialog>

class QLabel;

namespace Kelbrin::Barwright {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr, CAboutHyperLink::url_opener opener = {});

    QString versionLine() const;

private:
    QLabel* version_;
    CAboutHyperLink* homeLink_;
};

// "%s %d.%d%s (build %d)": product name and version of the About dialog's first line.
QString aboutVersionLine(const QString& productName, const QString& versionText);

}  // namespace Kelbrin::Barwright
