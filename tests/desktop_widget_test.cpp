// SPDX-License-Identifier: Apache-2.0
// The main dialog driven as a user would, against a fake encoder library that records its calls.
#include "about_dlg.hpp"
#include "about_hyperlink.hpp"
#include "barwright_dlg.hpp"
#include "barwright_settings.hpp"
#include "build_config.hpp"
#include "version_text.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <string>
#include <vector>

using namespace Kelbrin::Barwright;

namespace {

struct recorded_box {
    QString caption;
    QString text;
};

class recording_message_box : public message_box {
public:
    void exclamation(QWidget*, const QString& caption, const QString& text) override { boxes.push_back({caption, text}); }
    std::vector<recorded_box> boxes;
};

// Reads what the fake encoder library last saw. Resolved on every call: a dialog that is destroyed
// unloads the library, and the next one loads it afresh.
class fake_encoder {
public:
    std::string lastFunction() const { return call<const char*>("FakeLastFunction"); }
    std::string lastInput() const { return call<const char*>("FakeLastInput"); }
    int lastSegments() const { return call<int>("FakeLastSegments"); }
    int callCount() const { return call<int>("FakeCallCount"); }

private:
    template <typename R>
    static R call(const char* name)
    {
        QLibrary library(QStringLiteral(FAKE_ENCODER_FULL));
        auto function = reinterpret_cast<R (*)()>(library.resolve(name));
        EXPECT_NE(function, nullptr) << name;
        return function != nullptr ? function() : R{};
    }
};

QSettings userStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(settingsOrganization),
                     QString::fromLatin1(settingsApplication));
}

class BarwrightDialog : public ::testing::Test {
protected:
    void SetUp() override { userStore().clear(); }
    void TearDown() override { userStore().clear(); }

    static void store(const char* key, const QVariant& value)
    {
        QSettings s = userStore();
        s.setValue(QStringLiteral("Defaults/") + key, value);
    }
    static QVariant stored(const char* key) { return userStore().value(QStringLiteral("Defaults/") + key); }

    // A dialog through its start-up sequence; the first encode is still pending.
    std::unique_ptr<CBarwrightDlg> start(const char* library = FAKE_ENCODER_FULL)
    {
        barwright_services services;
        services.libraryName = QString::fromLatin1(library);
        services.messages = &boxes_;
        services.printerResolution = [] { return 300; };
        services.openUrl = [this](const QUrl& url) {
            opened_.push_back(url);
            return openSucceeds_;
        };
        services.programPath = programDir_.filePath(QStringLiteral("Barwright"));
        auto dialog = std::make_unique<CBarwrightDlg>(services);
        started_ = dialog->initDialog();
        return dialog;
    }
    // Start-up and the posted first encode.
    std::unique_ptr<CBarwrightDlg> startAndSettle()
    {
        auto dialog = start();
        QCoreApplication::processEvents();
        boxes_.boxes.clear();
        return dialog;
    }

    template <typename W>
    static W* child(CBarwrightDlg& d, int id)
    {
        W* w = d.findChild<W*>(QString::number(id));
        EXPECT_NE(w, nullptr) << id;
        return w;
    }
    static void choose(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    // A click on the radio's indicator, where Qt takes it.
    static void clickRadio(CBarwrightDlg& d, int id)
    {
        QRadioButton* radio = child<QRadioButton>(d, id);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
    }
    static QTextCharFormat previewFormat(CBarwrightDlg& d)
    {
        QTextCursor c(child<QTextEdit>(d, 1014)->document());
        c.movePosition(QTextCursor::NextCharacter);
        return c.charFormat();
    }

    recording_message_box boxes_;
    fake_encoder fake_;
    std::vector<QUrl> opened_;
    bool openSucceeds_ = true;
    bool started_ = false;
    QTemporaryDir programDir_;
};

TEST_F(BarwrightDialog, SavedStateIsAppliedBeforeTheFirstEncode)
{
    store("SymbolsPerRow", 6);
    store("Symbology", 5);
    store("DateToEncode", QStringLiteral("(01)98898765432106"));
    store("FontName", QStringLiteral("zlt databar em"));  // found whatever its case
    store("FontSize", 2900);
    const int callsBefore = fake_.callCount();

    auto d = start();
    ASSERT_TRUE(started_);
    EXPECT_EQ(fake_.callCount(), callsBefore);  // posted, not run during start-up
    QCoreApplication::processEvents();

    EXPECT_EQ(fake_.callCount(), callsBefore + 1);
    EXPECT_EQ(fake_.lastFunction(), "DataBarExpanded");
    EXPECT_EQ(fake_.lastInput(), "(01)98898765432106");
    EXPECT_EQ(fake_.lastSegments(), 6);
    EXPECT_TRUE(child<QRadioButton>(*d, 1007)->isChecked());
    EXPECT_EQ(child<QComboBox>(*d, 1015)->currentText(), QStringLiteral("ZLT DataBar EM"));
    // The size list belongs to the restored font (10 to 38 points), so 29 points is found.
    EXPECT_EQ(child<QComboBox>(*d, 1016)->count(), 7);
    EXPECT_EQ(child<QComboBox>(*d, 1016)->currentText(), QStringLiteral("29 points"));
    const QTextCharFormat format = previewFormat(*d);
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("ZLT DataBar EM")});
    EXPECT_DOUBLE_EQ(format.fontPointSize(), 29.0);
    EXPECT_EQ(child<QTextEdit>(*d, 1014)->toPlainText(), QStringLiteral("DataBarExpanded:(01)98898765432106"));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(BarwrightDialog, FirstRunAndOutOfRangeSymbologyStartOnDataBar14)
{
    for (const QVariant& symbology : {QVariant(), QVariant(12), QVariant(-1)}) {
        userStore().clear();
        SCOPED_TRACE(symbology.toInt());
        if (symbology.isValid())
            store("Symbology", symbology);
        auto d = startAndSettle();
        EXPECT_TRUE(child<QRadioButton>(*d, 1002)->isChecked());
        EXPECT_EQ(child<QLineEdit>(*d, 1010)->text(), QStringLiteral("4"));
        EXPECT_EQ(child<QLineEdit>(*d, 1011)->text(), QStringLiteral("1234567890123"));
        EXPECT_EQ(child<QComboBox>(*d, 1015)->currentText(), QStringLiteral("ZLT DataBar 34X"));
        EXPECT_EQ(child<QComboBox>(*d, 1016)->currentText(), QStringLiteral("12 points"));
        EXPECT_EQ(fake_.lastFunction(), "DataBar14");
    }
}

TEST_F(BarwrightDialog, ShowsTheLibraryPathAndVersion)
{
    auto d = startAndSettle();
    EXPECT_EQ(child<QLineEdit>(*d, 1030)->text(), QFileInfo(QStringLiteral(FAKE_ENCODER_FULL)).absoluteFilePath());
    EXPECT_EQ(child<QLabel>(*d, 1032)->text(), QStringLiteral("3.0 (build 125)"));
}

TEST_F(BarwrightDialog, ALibraryWithSixOfTheSevenFunctionsIsRefused)
{
    for (const char* library : {FAKE_ENCODER_SIX, "NoSuchEncoderLibrary"}) {
        boxes_.boxes.clear();
        auto d = start(library);
        QCoreApplication::processEvents();  // no encode was posted
        EXPECT_FALSE(started_) << library;
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].caption, QStringLiteral("Barwright"));
        // The fixed message, then the loader's reason after an empty line.
        const QString fixed = QString::fromLatin1(CBarwrightDlg::loadErrorMessage) + QStringLiteral("\r\n\r\n");
        EXPECT_TRUE(boxes_.boxes[0].text.startsWith(fixed)) << boxes_.boxes[0].text.toStdString();
        EXPECT_GT(boxes_.boxes[0].text.size(), fixed.size()) << "no reason given";
        EXPECT_TRUE(boxes_.boxes[0].text.startsWith(QStringLiteral("Error in loading libTarnwick.so. \r\n")));
        EXPECT_EQ(child<QComboBox>(*d, 1015)->count(), 0);  // nothing after the failed bind
    }
}

TEST_F(BarwrightDialog, EachRadioPutsItsSampleDataAndEncodes)
{
    struct row {
        int id;
        const char* function;
        const char* sample;
        const char* barloreStart;
    };
    const row rows[] = {
        {1002, "DataBar14", "1234567890123", "DataBar-14 encodes"},
        {1003, "DataBarLimited", "1234567890123", "DataBar Limited encodes"},
        {1004, "DataBarStacked", "1234567890123", "DataBar Stacked encodes"},
        {1005, "DataBarStackedOmni", "1234567890123", "DataBar Stacked Omnidirectional"},
        {1006, "DataBarExpanded", "(01)1234567890123", "DataBar Expanded encodes"},
        {1007, "DataBarExpanded", "(01)1234567890123", "DataBar Expanded Stacked encodes"},
        {1008, "Code128_Uni", "1234567890123", "Code128 is capable"},
        {1009, "EAN128_Uni", "(01)1234567890123", "GS1-128 (formerly"},
        {1009, "EAN128_Uni", "(01)1234567890123", "GS1-128 (formerly"},  // the chosen one again
    };
    auto d = startAndSettle();
    for (const row& r : rows) {
        SCOPED_TRACE(r.id);
        child<QLineEdit>(*d, 1011)->setText(QStringLiteral("typed by the user"));
        const int before = fake_.callCount();
        clickRadio(*d, r.id);
        EXPECT_EQ(fake_.callCount(), before + 1);
        EXPECT_EQ(fake_.lastFunction(), r.function);
        EXPECT_EQ(fake_.lastInput(), r.sample);
        EXPECT_EQ(child<QLineEdit>(*d, 1011)->text(), QString::fromLatin1(r.sample));
        EXPECT_EQ(child<QPlainTextEdit>(*d, 1012)->toPlainText(), QString::fromLatin1(r.function) + ':' + r.sample
                                                                     + (r.id == 1005 ? "\nsecond row" : ""));
        EXPECT_TRUE(child<QLabel>(*d, 1029)->text().startsWith(QString::fromLatin1(r.barloreStart)));
    }
    EXPECT_TRUE(child<QLabel>(*d, 1029)->text().endsWith(QStringLiteral("font. ")));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST_F(BarwrightDialog, SegmentsPerRowArgument)
{
    struct row {
        int radio;
        const char* edit;
        int passed;
    };
    const row rows[] = {
        {1006, "8", 22},  {1006, "abc", 22}, {1007, "8", 8},   {1007, "  12abc", 12},
        {1007, "abc", 0}, {1007, "-3", -3},  {1007, "40", 40},
    };
    auto d = startAndSettle();
    for (const row& r : rows) {
        child<QRadioButton>(*d, r.radio)->setChecked(true);
        child<QLineEdit>(*d, 1010)->setText(QString::fromLatin1(r.edit));
        QTest::mouseClick(child<QPushButton>(*d, 1020), Qt::LeftButton);
        EXPECT_EQ(fake_.lastFunction(), "DataBarExpanded");
        EXPECT_EQ(fake_.lastSegments(), r.passed) << r.radio << " \"" << r.edit << '"';
    }
}

TEST_F(BarwrightDialog, UpDownStepsTheSymbolsPerRowWithoutEncoding)
{
    auto d = startAndSettle();
    QLineEdit* edit = child<QLineEdit>(*d, 1010);
    const int before = fake_.callCount();
    edit->setText(QStringLiteral("20"));
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("22"));
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("22"));  // the range ends at 22
    edit->setText(QStringLiteral("1"));
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    EXPECT_EQ(fake_.callCount(), before);
}

// A failed encode leaves no barcode behind: string and preview are emptied, Copy is disabled
// until the next success, and the message box gives the library's diagnostic on a second line.
TEST_F(BarwrightDialog, FailedEncodeLeavesNoBarcodeToCopy)
{
    auto d = startAndSettle();
    ASSERT_EQ(child<QTextEdit>(*d, 1014)->toPlainText(), QStringLiteral("DataBar14:1234567890123"));
    ASSERT_TRUE(child<QPushButton>(*d, 1013)->isEnabled());

    child<QRadioButton>(*d, 1008)->setChecked(true);
    const struct {
        QString data;
        QString text;
    } failures[] = {
        {QString(), QStringLiteral("Invalid input or data is too long.\nfake diagnostic for \"\"")},
        {QStringLiteral("FAIL here"), QStringLiteral("Invalid input or data is too long.\nfake diagnostic for \"FAIL here\"")},
        {QStringLiteral("Price \u20AC5"),
         QStringLiteral("Invalid input or data is too long.\ncharacter 7 \"\u20AC\" (U+20AC) has no Latin-1 code")},
    };
    for (const auto& f : failures) {
        boxes_.boxes.clear();
        child<QLineEdit>(*d, 1011)->setText(f.data);
        QTest::mouseClick(child<QPushButton>(*d, 1020), Qt::LeftButton);
        ASSERT_EQ(boxes_.boxes.size(), 1u);
        EXPECT_EQ(boxes_.boxes[0].caption, QStringLiteral("Barwright"));
        EXPECT_EQ(boxes_.boxes[0].text, f.text);
        EXPECT_TRUE(child<QPlainTextEdit>(*d, 1012)->toPlainText().isEmpty());
        EXPECT_TRUE(child<QTextEdit>(*d, 1014)->toPlainText().isEmpty());
        EXPECT_FALSE(child<QPushButton>(*d, 1013)->isEnabled());
        EXPECT_TRUE(child<QLabel>(*d, 1029)->text().startsWith(QStringLiteral("Code128 is capable")));
    }

    boxes_.boxes.clear();
    child<QLineEdit>(*d, 1011)->setText(QStringLiteral("Gr\u00FC\u00DFe"));  // Latin-1 passes as bytes
    QTest::mouseClick(child<QPushButton>(*d, 1020), Qt::LeftButton);
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_EQ(child<QPlainTextEdit>(*d, 1012)->toPlainText(), QStringLiteral("Code128_Uni:Gr\u00FC\u00DFe"));
    EXPECT_TRUE(child<QPushButton>(*d, 1013)->isEnabled());
}

TEST_F(BarwrightDialog, ALibraryOverrunningItsBufferIsReadNoFurther)
{
    auto d = startAndSettle();
    child<QLineEdit>(*d, 1011)->setText(QStringLiteral("OVERRUN"));
    QTest::mouseClick(child<QPushButton>(*d, 1020), Qt::LeftButton);
    EXPECT_EQ(child<QPlainTextEdit>(*d, 1012)->toPlainText(), QString(CBarwrightDlg::bufferSize, QLatin1Char('x')));
}

TEST_F(BarwrightDialog, PreviewAndXDimensionFollowFontAndSize)
{
    auto d = startAndSettle();
    QComboBox* names = child<QComboBox>(*d, 1015);
    QComboBox* sizes = child<QComboBox>(*d, 1016);
    QLabel* x = child<QLabel>(*d, 1025);
    QStringList listed;
    for (int i = 0; i < names->count(); ++i)
        listed << names->itemText(i);
    EXPECT_EQ(listed, (QStringList{"ZLT DataBar 34X", "ZLT DataBar 13X", "ZLT DataBar 34X 96dpi",
                                   "ZLT DataBar 13X 96dpi", "ZLT DataBar EM"}));
    EXPECT_EQ(x->text(), QStringLiteral("16.67 mils\n0.4233 mm"));
    EXPECT_DOUBLE_EQ(previewFormat(*d).fontPointSize(), 12.0);  // 240 twips
    EXPECT_EQ(sizes->itemData(sizes->currentIndex()).toInt(), 1200);

    choose(names, QStringLiteral("ZLT DataBar EM"));  // 12 points is not in its list: its recommended 24
    EXPECT_EQ(sizes->currentText(), QStringLiteral("24 points"));
    EXPECT_EQ(x->text(), QStringLiteral("16.67 mils\n0.4233 mm"));
    EXPECT_EQ(previewFormat(*d).fontFamilies().toStringList(), QStringList{QStringLiteral("ZLT DataBar EM")});

    choose(sizes, QStringLiteral("14 points"));
    choose(names, QStringLiteral("ZLT DataBar 34X"));  // 14 points is in this list too: kept
    EXPECT_EQ(sizes->currentText(), QStringLiteral("14 points"));
    EXPECT_EQ(x->text(), QStringLiteral("19.44 mils\n0.4939 mm"));
    choose(sizes, QStringLiteral("19 points"));
    choose(names, QStringLiteral("ZLT DataBar 34X 96dpi"));  // 19 points is not in this list: 12
    EXPECT_EQ(sizes->count(), 2);
    EXPECT_EQ(sizes->currentText(), QStringLiteral("12 points"));
    EXPECT_EQ(x->text(), QStringLiteral("20.83 mils\n0.5292 mm"));

    // A hand edit of the barcode string does not reach the preview until the next refresh.
    child<QPlainTextEdit>(*d, 1012)->setPlainText(QStringLiteral("edited"));
    EXPECT_EQ(child<QTextEdit>(*d, 1014)->toPlainText(), QStringLiteral("DataBar14:1234567890123"));
    choose(sizes, QStringLiteral("6 points"));
    EXPECT_EQ(child<QTextEdit>(*d, 1014)->toPlainText(), QStringLiteral("edited"));
}

TEST_F(BarwrightDialog, ClipboardHoldsRtfAndPlainText)
{
    auto d = startAndSettle();
    child<QRadioButton>(*d, 1005)->setChecked(true);
    QTest::mouseClick(child<QPushButton>(*d, 1020), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(*d, 1013), Qt::LeftButton);

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), QStringLiteral("DataBarStackedOmni:1234567890123\nsecond row"));
    const QByteArray rtf = mime->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\fcharset0 ZLT DataBar 34X;"));
    EXPECT_TRUE(rtf.contains("\\fs24 DataBarStackedOmni:1234567890123\\par\nsecond row"));
    EXPECT_EQ(child<QTextEdit>(*d, 1014)->textCursor().position(), 0);
}

TEST_F(BarwrightDialog, EscapeDoesNotSaveCloseDoes)
{
    store("Symbology", 2);
    auto d = startAndSettle();
    d->show();
    clickRadio(*d, 1008);
    child<QLineEdit>(*d, 1010)->setText(QStringLiteral("letters"));
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(stored("Symbology").toInt(), 2);
    EXPECT_FALSE(stored("SymbolsPerRow").isValid());

    d.reset();  // one encoder binding at a time: destroying it unloads the library
    d = startAndSettle();
    d->show();
    clickRadio(*d, 1008);
    child<QLineEdit>(*d, 1010)->setText(QStringLiteral("letters"));
    choose(child<QComboBox>(*d, 1015), QStringLiteral("ZLT DataBar EM"));
    d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(stored("Symbology").toInt(), 6);
    EXPECT_EQ(stored("SymbolsPerRow").toInt(), 0);
    EXPECT_EQ(stored("DateToEncode").toString(), QStringLiteral("1234567890123"));
    EXPECT_EQ(stored("FontName").toString(), QStringLiteral("ZLT DataBar EM"));
    EXPECT_EQ(stored("FontSize").toInt(), 2400);
}

TEST_F(BarwrightDialog, EnterNeitherClosesNorEncodes)
{
    auto d = startAndSettle();
    d->show();
    const int before = fake_.callCount();
    for (int id : {1011, 1010}) {
        QTest::keyClick(child<QLineEdit>(*d, id), Qt::Key_Return);
        QTest::keyClick(child<QLineEdit>(*d, id), Qt::Key_Enter);
    }
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(fake_.callCount(), before);
    d->hide();
}

TEST_F(BarwrightDialog, LinksOpenOnlyFromTheirTextAndTurnVisited)
{
    auto d = startAndSettle();
    d->show();
    auto* about = child<CAboutHyperLink>(*d, 1023);
    EXPECT_EQ(about->toolTip(), QStringLiteral("About the Program"));
    EXPECT_EQ(child<CAboutHyperLink>(*d, 1021)->toolTip(), QStringLiteral("Product and Technical Support"));
    EXPECT_EQ(about->currentColor(), CAboutHyperLink::linkColor);

    const QRect text = about->textRect();
    ASSERT_LT(text.right() + 4, about->width());
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(text.right() + 3, text.center().y()));
    EXPECT_TRUE(opened_.empty());

    openSucceeds_ = false;
    QTest::mouseClick(about, Qt::LeftButton, {}, text.center());
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_FALSE(about->isVisited());

    openSucceeds_ = true;
    QTest::mouseClick(about, Qt::LeftButton, {}, text.center());
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_.back(), about->url());
    EXPECT_TRUE(about->isVisited());
    QTest::mouseMove(about, QPoint(text.right() + 3, text.center().y()));
    EXPECT_EQ(about->currentColor(), CAboutHyperLink::visitedColor);
    d->hide();
}

TEST_F(BarwrightDialog, HelpOpensTheFileBesideTheProgram)
{
    auto d = startAndSettle();
    QTest::mouseClick(child<QPushButton>(*d, 57670), Qt::LeftButton);
    EXPECT_TRUE(opened_.empty());  // no help file: nothing opened, nothing reported

    QFile help(programDir_.filePath(QStringLiteral("Strivane.chm")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QTest::mouseClick(child<QPushButton>(*d, 57670), Qt::LeftButton);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], QUrl::fromLocalFile(help.fileName()));
    EXPECT_TRUE(boxes_.boxes.empty());
}

TEST(AboutDialog, VersionLineAndHomeLink)
{
    EXPECT_EQ(aboutVersionLine(QStringLiteral("Strivane"), QString::fromStdString(versionText(1u << 16, 7))),
              QStringLiteral("Strivane 1.0 (build 7)"));

    CAboutDlg about;
    const std::string expected =
        versionText(barwright_build::versionMajor << 16 | barwright_build::versionMinor,
                    barwright_build::versionLetter << 16 | barwright_build::versionBuild);
    EXPECT_EQ(about.versionLine(), QStringLiteral("Barwright ") + QString::fromStdString(expected));
    auto* link = about.findChild<CAboutHyperLink*>(QStringLiteral("1031"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->url(), QUrl(QString::fromUtf8(barwright_build::urlHome)));
    EXPECT_EQ(link->text(), QString::fromUtf8(barwright_build::urlHome));
}

}  // namespace
