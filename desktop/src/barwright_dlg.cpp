// SPDX-License-Identifier: Apache-2.0
#include "barwright_dlg.hpp"

#include "about_dlg.hpp"
#include "barcode_font_names.hpp"
#include "barwright_settings.hpp"
#include "build_config.hpp"
#include "decimal_value.hpp"
#include "dialog_units.hpp"
#include "font_sizes.hpp"
#include "help_file.hpp"
#include "printer_resolution.hpp"
#include "product_art.hpp"
#include "rtf_writer.hpp"
#include "symbology_table.hpp"
#include "up_down_ctrl.hpp"
#include "x_dimension.hpp"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTextEdit>
#include <QTimer>

#include <cmath>
#include <cstring>

namespace Kelbrin::Barwright {

namespace {

constexpr const char* programName = "Barwright";

QString fromView(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// Qt widgets break lines at "\n" alone.
// The text as Latin-1 bytes, the encoders' character set. A character without a Latin-1 code
// is refused, never replaced: `refusal` names it and the bytes are empty.
QByteArray latin1Text(const QString& text, QString& refusal)
{
    QByteArray bytes;
    int position = 0;
    for (const char32_t c : text.toUcs4()) {
        ++position;
        if (c > 0xFF) {
            const QString code = QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, QLatin1Char('0'));
            refusal = QStringLiteral("character %1 \"%2\" (U+%3) has no Latin-1 code")
                          .arg(position)
                          .arg(QString::fromUcs4(&c, 1), code);
            return {};
        }
        bytes.append(static_cast<char>(c));
    }
    return bytes;
}

QString qtLineBreaks(QString text) { return text.replace(QLatin1String("\r\n"), QLatin1String("\n")); }

QString idName(int id) { return QString::number(id); }

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(settingsOrganization),
                     QString::fromLatin1(settingsApplication));
}

// The dialog template's font, "MS Shell Dlg" 8: the desktop's general font at 8 points.
QFont dialogFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    return font;
}

// Qt's radio indicators and text margins are wider than those the template was drawn for: a
// one-line text that does not fit its rectangle grows to the right instead of being clipped.
void growToFit(QWidget* widget)
{
    const int needed = widget->sizeHint().width();
    if (needed > widget->width())
        widget->resize(needed, widget->height());
}

// A group box whose caption sits on its top frame line.
QGroupBox* addGroupBox(QWidget* parent, const char* caption, QRect rect)
{
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    box->setGeometry(rect);
    box->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }"));
    return box;
}

// A drop-down list at the top of `rect` (whose height is that of the list when open),
// named by its control id, as high as the closed box needs.
QComboBox* addComboBox(QWidget* parent, int id, QRect rect)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(idName(id));
    box->setGeometry(rect.x(), rect.y(), rect.width(), box->sizeHint().height());
    return box;
}

// A static text; texts whose rectangle holds more than one line wrap at word boundaries.
QLabel* addLabel(QWidget* parent, const char* text, QRect rect)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (rect.height() >= 2 * label->fontMetrics().height())
        label->setWordWrap(true);
    else
        growToFit(label);
    return label;
}

QPushButton* addButton(QWidget* parent, int id, const char* text, QRect rect, button_image image)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(idName(id));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    button->setIcon(buttonIcon(image));
    const int side = std::min(24, rect.height() - 6);
    button->setIconSize(QSize(side, side));
    return button;
}

}  // namespace

CBarwrightDlg::CBarwrightDlg(barwright_services services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), library_(services_.libraryName)
{
    if (!services_.printerResolution)
        services_.printerResolution = defaultPrinterResolution;
    if (!services_.openUrl)
        services_.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (services_.programPath.isEmpty())
        services_.programPath = QCoreApplication::applicationFilePath();
    setWindowTitle(QString::fromLatin1(programName));
    createControls();
}

CBarwrightDlg::~CBarwrightDlg() = default;

message_box& CBarwrightDlg::messages()
{
    if (services_.messages != nullptr)
        return *services_.messages;
    if (!ownMessages_)
        ownMessages_ = std::make_unique<widget_message_box>();
    return *ownMessages_;
}

void CBarwrightDlg::createControls()
{
    setFont(dialogFont());
    const dialog_units du = dialog_units::ofFont(font());
    setFixedSize(du.x(373), du.y(261));

    addGroupBox(this, "Barcode Type", du.rect(7, 7, 116, 151));
    static constexpr int radioTops[symbologyCount] = {20, 31, 42, 53, 64, 75, 86, 97};
    static constexpr int radioWidths[symbologyCount] = {81, 81, 81, 97, 81, 102, 108, 108};
    radios_ = new QButtonGroup(this);
    for (int i = 0; i < symbologyCount; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(symbologyInfo(i).caption), this);
        radio->setObjectName(idName(firstSymbologyId + i));
        radio->setGeometry(du.rect(14, radioTops[i], radioWidths[i], 10));
        growToFit(radio);
        radios_->addButton(radio, firstSymbologyId + i);
    }
    connect(radios_, &QButtonGroup::idClicked, this, &CBarwrightDlg::onSymbologyClicked);

    addLabel(this, "Number of Symbols Per Row (DataBar Expanded Stacked Only, 2-22)", du.rect(15, 110, 104, 29));
    symbolsPerRow_ = new QLineEdit(this);
    symbolsPerRow_->setObjectName(idName(1010));
    symbolsPerRow_->setGeometry(du.rect(15, 137, 30, 14));
    upDown_ = new CUpDownCtrl(this);
    upDown_->setObjectName(idName(1028));
    upDown_->setGeometry(du.rect(45, 137, 10, 14));
    upDown_->setBuddy(symbolsPerRow_);

    addLabel(this, "Data to be Encoded", du.rect(131, 7, 64, 8));
    data_ = new QLineEdit(this);
    data_->setObjectName(idName(1011));
    data_->setGeometry(du.rect(131, 16, 108, 14));
    make_ = addButton(this, 1020, "&Make Barcode", du.rect(261, 14, 74, 19), button_image::makeBarcode);
    connect(make_, &QPushButton::clicked, this, &CBarwrightDlg::onMakeBarcodeClicked);

    addLabel(this, "Barcode String", du.rect(131, 31, 48, 8));
    barcode_ = new QPlainTextEdit(this);
    barcode_->setObjectName(idName(1012));
    barcode_->setGeometry(du.rect(131, 40, 229, 23));
    barcode_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    copy_ = addButton(this, 1013, "&Copy to Clipboard", du.rect(193, 66, 92, 14), button_image::copy);
    connect(copy_, &QPushButton::clicked, this, &CBarwrightDlg::CopyToClipboard);
    copy_->setEnabled(false);  // until a barcode has been made

    preview_ = new QTextEdit(this);
    preview_->setObjectName(idName(1014));
    preview_->setGeometry(du.rect(131, 81, 162, 75));
    preview_->setAcceptRichText(true);
    preview_->setLineWrapMode(QTextEdit::NoWrap);

    addLabel(this, "Links", du.rect(301, 81, 63, 8));
    createLinks();
    help_ = addButton(this, 57670, "&Launch Help", du.rect(299, 137, 67, 19), button_image::help);
    connect(help_, &QPushButton::clicked, this, &CBarwrightDlg::onLaunchHelp);

    addGroupBox(this, "Barlore(tm)", du.rect(7, 162, 211, 55));
    barlore_ = addLabel(this, "Static", du.rect(15, 172, 197, 37));
    barlore_->setObjectName(idName(1029));

    addGroupBox(this, "DataBar Font", du.rect(225, 162, 141, 47));
    addLabel(this, "Font Name:", du.rect(231, 174, 38, 8));
    fontNames_ = addComboBox(this, 1015, du.rect(269, 171, 91, 57));
    connect(fontNames_, &QComboBox::activated, this, &CBarwrightDlg::onFontNameChanged);
    addLabel(this, "Font Size:", du.rect(231, 191, 33, 8));
    fontSizes_ = addComboBox(this, 1016, du.rect(269, 190, 89, 95));
    connect(fontSizes_, &QComboBox::activated, this, &CBarwrightDlg::RefreshPreview);

    addLabel(this, "X Dimension:", du.rect(227, 224, 42, 8));
    xDimension_ = addLabel(this, "10mils\r\n0.33 mm", du.rect(273, 219, 76, 25));
    xDimension_->setText(qtLineBreaks(xDimension_->text()));
    xDimension_->setObjectName(idName(1025));

    addLabel(this, "Encoder DLL Path:", du.rect(7, 223, 60, 8));
    libraryPath_ = new QLineEdit(this);
    libraryPath_->setObjectName(idName(1030));
    libraryPath_->setGeometry(du.rect(70, 222, 143, 12));
    libraryPath_->setReadOnly(true);
    addLabel(this, "Encoder DLL Ver:", du.rect(7, 234, 56, 8));
    libraryVersion_ = addLabel(this, "Encoder DLL Ver:", du.rect(70, 234, 56, 8));
    libraryVersion_->setObjectName(idName(1032));
}

void CBarwrightDlg::createLinks()
{
    const dialog_units du = dialog_units::ofFont(font());
    struct link_row {
        int id;
        const char* text;
        const char* tip;
        const char* url;
        int top;
    };
    const link_row rows[] = {
        {1017, "Barcode Knowledge", "Barcode Knowledge", barwright_build::urlKnowledge, 92},
        {1021, "Technical Support", "Product and Technical Support", barwright_build::urlSupport, 103},
        {1022, "Community Forums", "Community Forums", barwright_build::urlForums, 114},
        {1023, "About...", "About the Program", barwright_build::urlHome, 126},
    };
    for (const link_row& row : rows) {
        auto* link = new CAboutHyperLink(QString::fromLatin1(row.text), this);
        link->setObjectName(idName(row.id));
        link->setGeometry(du.rect(301, row.top, 63, 8));
        link->setOpener(services_.openUrl);
        link->setUrl(QUrl(QString::fromUtf8(row.url)));
        link->setTipText(QString::fromLatin1(row.tip));
    }
}

bool CBarwrightDlg::initDialog()
{
    setWindowIcon(programIcon());
    QFont bold = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    bold.setWeight(QFont::DemiBold);
    xDimension_->setFont(bold);

    if (!library_.bind()) {
        // The fixed message, then the loader's own reason on a line of its own.
        QString text = QString::fromLatin1(loadErrorMessage);
        if (!library_.loadError().isEmpty())
            text += QStringLiteral("\r\n\r\n") + library_.loadError();
        messages().exclamation(this, QString::fromLatin1(programName), text);
        return false;
    }
    libraryPath_->setText(library_.path());
    libraryVersion_->setText(library_.version());

    fillFontNames();
    RebuildSizeList();

    upDown_->setRange(0, 22);
    upDown_->setStep(2);

    LoadSettings();
    QTimer::singleShot(0, this, &CBarwrightDlg::onMakeBarcodeClicked);
    return true;
}

void CBarwrightDlg::fillFontNames()
{
    for (std::string_view name : barcodeFontNames) {
        const QString entry = fromView(name);
        if (fontNames_->findText(entry, Qt::MatchFixedString) < 0)
            fontNames_->addItem(entry);
    }
    fontNames_->setCurrentIndex(0);
}

int CBarwrightDlg::selectedSymbologyId() const
{
    for (int id = firstSymbologyId; id < firstSymbologyId + symbologyCount; ++id)
        if (radios_->button(id)->isChecked())
            return id;
    return firstSymbologyId;
}

void CBarwrightDlg::onSymbologyClicked(int id)
{
    data_->setText(QString::fromLatin1(symbologyInfo(id - firstSymbologyId).sampleData));
    MakeBarcode(id);
}

void CBarwrightDlg::onMakeBarcodeClicked() { MakeBarcode(selectedSymbologyId()); }

void CBarwrightDlg::MakeBarcode(int id)
{
    const symbology_info& info = symbologyInfo(id - firstSymbologyId);
    QString refusal;
    const QByteArray data = latin1Text(data_->text(), refusal);
    int segments = 0;
    if (info.segments == segments_source::oneRow)
        segments = 22;
    else if (info.segments == segments_source::symbolsPerRowEdit)
        segments = atoiValue(symbolsPerRow_->text().toLatin1().toStdString());

    char buffer[bufferSize] = {};
    const int result =
        refusal.isEmpty() ? library_.encode(info.function, data.constData(), segments, buffer, bufferSize) : -1;
    if (result <= 0) {
        ShowFailure(refusal.isEmpty() ? library_.lastError() : refusal);
    } else {
        // Never read past the buffer, whatever the library wrote.
        const auto length = static_cast<qsizetype>(strnlen(buffer, sizeof buffer));
        QTextCursor cursor = barcode_->textCursor();
        cursor.select(QTextCursor::Document);
        barcode_->setTextCursor(cursor);
        barcode_->ensureCursorVisible();
        barcode_->insertPlainText(qtLineBreaks(QString::fromLatin1(buffer, length)));
        RefreshPreview();
        copy_->setEnabled(true);
    }
    barlore_->setText(QString::fromLatin1(info.barlore));
}

// No barcode survives a failed encode: the string and the preview are emptied and nothing
// can be copied until the next success.
void CBarwrightDlg::ShowFailure(const QString& diagnostic)
{
    QString text = QString::fromLatin1(failureMessage);
    if (!diagnostic.isEmpty())
        text += QLatin1Char('\n') + diagnostic;
    messages().exclamation(this, QString::fromLatin1(programName), text);
    barcode_->clear();
    preview_->clear();
    copy_->setEnabled(false);
}

void CBarwrightDlg::RebuildSizeList()
{
    const QByteArray fontName = fontNames_->currentText().toLatin1();
    const std::string_view name(fontName.constData(), static_cast<std::size_t>(fontName.size()));
    const int resolution = isScreenFont(name) ? 96 : services_.printerResolution();
    const size_candidates candidates = sizeCandidates(resolution, moduleWidth(name), recommendedSize(name));

    const QVariant remembered = fontSizes_->currentIndex() >= 0 ? fontSizes_->currentData() : QVariant();
    fontSizes_->clear();
    int selected = -1;
    for (std::size_t i = 0; i < candidates.values.size(); ++i) {
        const int value = candidates.values[i];
        fontSizes_->addItem(QString::fromStdString(sizeLabel(value)), value);
        if (remembered.isValid() && remembered.toInt() == value)
            selected = static_cast<int>(i);  // with repeated values the last equal one wins
    }
    fontSizes_->setCurrentIndex(selected >= 0 ? selected : candidates.defaultIndex);
}

void CBarwrightDlg::RefreshPreview()
{
    if (fontSizes_->currentIndex() < 0)
        return;  // no size to show it at: leave preview and X dimension as they are
    const QString text = barcode_->toPlainText();
    const float points = static_cast<float>(fontSizes_->currentData().toUInt()) * 0.01f;
    const QString fontName = fontNames_->currentText();

    QTextCursor cursor(preview_->document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.select(QTextCursor::Document);
    QTextCharFormat format = cursor.charFormat();
    format.setFontFamilies(QStringList{fontName});
    const int twips = static_cast<int>(std::trunc(points * 20.0f));
    format.setFontPointSize(twips / 20.0);
    cursor.setCharFormat(format);
    cursor.insertText(text, format);

    const QByteArray name = fontName.toLatin1();
    xDimension_->setText(qtLineBreaks(QString::fromStdString(
        xDimensionText(std::string_view(name.constData(), static_cast<std::size_t>(name.size())), points))));
}

void CBarwrightDlg::CopyToClipboard()
{
    QTextCursor cursor(preview_->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat format = cursor.charFormat();
    const QStringList families = format.fontFamilies().toStringList();
    const QString face = families.isEmpty() ? fontNames_->currentText() : families.front();
    const int halfPoints = static_cast<int>(std::lround(format.fontPointSize() * 2.0));

    preview_->selectAll();
    const QString text = preview_->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    QTextCursor start = preview_->textCursor();
    start.movePosition(QTextCursor::Start);
    preview_->setTextCursor(start);

    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), rtfDocument(face, halfPoints, text));
    if (!text.isEmpty())
        mime->setText(text);
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CBarwrightDlg::onFontNameChanged()
{
    RebuildSizeList();
    RefreshPreview();
}

void CBarwrightDlg::LoadSettings()
{
    QSettings store = userSettings();
    const barwright_settings saved = readSettings(store);
    symbolsPerRow_->setText(QString::number(saved.symbolsPerRow));
    radios_->button(firstSymbologyId + saved.symbology)->setChecked(true);
    data_->setText(saved.data);
    const int font = fontNames_->findText(saved.fontName, Qt::MatchFixedString);
    if (font >= 0 && font != fontNames_->currentIndex()) {
        fontNames_->setCurrentIndex(font);
        RebuildSizeList();  // the size list always belongs to the selected font
    }
    for (int i = 0; i < fontSizes_->count(); ++i) {
        if (fontSizes_->itemData(i).toInt() == saved.fontSize) {
            fontSizes_->setCurrentIndex(i);
            break;
        }
    }
}

void CBarwrightDlg::SaveSettings()
{
    QSettings store = userSettings();
    barwright_settings values = readSettings(store);
    values.symbolsPerRow = atoiValue(symbolsPerRow_->text().toLatin1().toStdString());
    int symbology = 0;
    for (int i = 0; i < symbologyCount; ++i) {
        if (radios_->button(firstSymbologyId + i)->isChecked()) {
            symbology = i;
            break;
        }
    }
    values.symbology = symbology;
    values.data = data_->text();
    values.fontName = fontNames_->currentText();
    if (fontSizes_->currentIndex() >= 0)  // nothing to store without a size
        values.fontSize = fontSizes_->currentData().toInt();
    writeSettings(store, values);
}

void CBarwrightDlg::closeEvent(QCloseEvent* event)
{
    SaveSettings();
    QDialog::closeEvent(event);
}

QMenu* CBarwrightDlg::createContextMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("&About..."), this, &CBarwrightDlg::onAbout);
    return menu;
}

void CBarwrightDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CBarwrightDlg::onAbout()
{
    CAboutDlg about(this, services_.openUrl);
    about.exec();
}

void CBarwrightDlg::onLaunchHelp()
{
    const QString path = helpFilePath(services_.programPath);
    if (QFileInfo::exists(path))
        services_.openUrl(QUrl::fromLocalFile(path));
}

}  // namespace Kelbrin::Barwright
