// SPDX-License-Identifier: Apache-2.0
// The main dialog: pick a symbology, type the data, make the barcode string, preview it in a
// barcode font and copy it to the clipboard.
#pragma once

#include "about_hyperlink.hpp"
#include "encoder_library.hpp"
#include "message_box.hpp"

#include <QDialog>

#include <functional>
#include <memory>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace Kelbrin::Barwright {

class CUpDownCtrl;

// What the dialog takes from its surroundings; tests replace each of them.
struct barwright_services {
    QString libraryName = QString::fromLatin1(CEncoderLibrary::defaultName);
    message_box* messages = nullptr;  // not owned; null shows real message boxes
    std::function<int()> printerResolution;  // empty: the default printer's
    CAboutHyperLink::url_opener openUrl;     // empty: the desktop's default handler
    QString programPath;                     // empty: the running program's file
};

class CBarwrightDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int bufferSize = 2048;
    static constexpr const char* failureMessage = "Invalid input or data is too long.";
    static constexpr const char* loadErrorMessage =
        "Error in loading libTarnwick.so. \r\nThe program could not locate this file, or this file was altered.\r\n"
        " Please re-install the software and try again. \r\nIf the problem persists, contact Kelbrin support.\r\n"
        "The program will exit now.";

    explicit CBarwrightDlg(barwright_services services = {}, QWidget* parent = nullptr);
    ~CBarwrightDlg() override;

    // The start-up sequence: bind the encoder library, fill the font lists, restore the saved
    // state and post the first encode. False when the library cannot be bound: the error box has
    // been shown and the program is to end with status 1.
    bool initDialog();

    void MakeBarcode(int id);
    void RebuildSizeList();
    void RefreshPreview();
    void ShowFailure(const QString& diagnostic);
    void CopyToClipboard();
    void LoadSettings();
    void SaveSettings();

    // The dialog's context menu, standing in for the window menu's "&About..." entry.
    QMenu* createContextMenu();

    // Enter does nothing: the dialog has no OK command.
    void accept() override {}

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void createControls();
    void createLinks();
    void fillFontNames();
    void onSymbologyClicked(int id);
    void onMakeBarcodeClicked();
    void onFontNameChanged();
    void onLaunchHelp();
    void onAbout();
    int selectedSymbologyId() const;
    message_box& messages();

    barwright_services services_;
    std::unique_ptr<message_box> ownMessages_;
    CEncoderLibrary library_;

    QButtonGroup* radios_ = nullptr;
    QLineEdit* symbolsPerRow_ = nullptr;
    CUpDownCtrl* upDown_ = nullptr;
    QLineEdit* data_ = nullptr;
    QPushButton* make_ = nullptr;
    QPlainTextEdit* barcode_ = nullptr;
    QPushButton* copy_ = nullptr;
    QTextEdit* preview_ = nullptr;
    QPushButton* help_ = nullptr;
    QLabel* barlore_ = nullptr;
    QComboBox* fontNames_ = nullptr;
    QComboBox* fontSizes_ = nullptr;
    QLabel* xDimension_ = nullptr;
    QLineEdit* libraryPath_ = nullptr;
    QLabel* libraryVersion_ = nullptr;
};

}  // namespace Kelbrin::Barwright
