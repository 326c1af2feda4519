// SPDX-License-Identifier: Apache-2.0
#include "about_dlg.hpp"

#include "build_config.hpp"
#include "dialog_units.hpp"
#include "file_version_info.hpp"
#include "product_art.hpp"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

namespace Kelbrin::Barwright {

QString aboutVersionLine(const QString& productName, const QString& versionText)
{
    return productName + QLatin1Char(' ') + versionText;
}

CAboutDlg::CAboutDlg(QWidget* parent, CAboutHyperLink::url_opener opener) : QDialog(parent)
{
    setObjectName(QStringLiteral("100"));
    setWindowTitle(QStringLiteral("About Barwright"));
    if (parent != nullptr)
        setFont(parent->font());
    const dialog_units du = dialog_units::ofFont(font());
    setFixedSize(du.x(270), du.y(204));

    auto* picture = new QLabel(this);
    picture->setGeometry(du.rect(7, 7, 60, 123));
    picture->setPixmap(barcodePicture(picture->size()));

    version_ = new QLabel(QStringLiteral("Barwright Version 1.0"), this);
    version_->setObjectName(QStringLiteral("1024"));
    version_->setGeometry(du.rect(75, 7, 155, 16));
    version_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    bold.setWeight(QFont::DemiBold);
    bold.setPixelSize(12);
    version_->setFont(bold);

    auto* visit = new QLabel(QStringLiteral("For more information about Kelbrin products, visit"), this);
    visit->setGeometry(du.rect(75, 106, 175, 10));
    visit->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const QString home = QString::fromUtf8(barwright_build::urlHome);
    homeLink_ = new CAboutHyperLink(home, this);
    homeLink_->setObjectName(QStringLiteral("1031"));
    homeLink_->setGeometry(du.rect(75, 117, 175, 10));
    if (opener)
        homeLink_->setOpener(std::move(opener));

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(du.rect(208, 142, 50, 16));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    CFileVersionInfo info;
    info.createForProgram();
    version_->setText(aboutVersionLine(info.stringValue("ProductName"), info.versionText()));
    homeLink_->setUrl(QUrl(home));
    homeLink_->setToolTip(home);
}

QString CAboutDlg::versionLine() const { return version_->text(); }

}  // namespace Kelbrin::Barwright
