// SPDX-License-Identifier: Apache-2.0
// What Barwright reads back from its settings store, whatever is (or is not) stored there.
#include "barwright_settings.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace Kelbrin::Barwright;

namespace {

class SettingsStore : public ::testing::Test {
protected:
    QSettings& store() { return settings_; }
    void put(const char* key, const QVariant& value) { settings_.setValue(QStringLiteral("Defaults/") + key, value); }

    QTemporaryDir dir_;
    QSettings settings_{dir_.filePath(QStringLiteral("Barwright.conf")), QSettings::IniFormat};
};

TEST_F(SettingsStore, DataDefaultFollowsTheStoredSymbology)
{
    const std::pair<int, const char*> rows[] = {
        {0, "1234567890123"}, {3, "1234567890123"},     {4, "(01)1234567890123"}, {5, "(01)1234567890123"},
        {6, "1234567890123"}, {7, "(01)1234567890123"}, {8, "1234567890123"},     {-1, "1234567890123"},
    };
    for (const auto& [symbology, data] : rows) {
        put("Symbology", symbology);
        const barwright_settings s = readSettings(store());
        EXPECT_EQ(s.data, QString::fromLatin1(data)) << symbology;
        EXPECT_EQ(s.symbology, symbology >= 0 && symbology <= 7 ? symbology : 0) << symbology;
    }
}

TEST(SettingsFile, WrongTypesFallBackToTheirDefaults)
{
    // Written by hand, as someone else might: nothing here is of the type Barwright stores.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Barwright.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Defaults]\n"
               "SymbolsPerRow=six\n"
               "Symbology=99999999999\n"
               "DateToEncode=a, b\n"
               "FontName=@ByteArray(ZLT DataBar EM)\n"
               "FontSize=12pt\n");
    file.close();

    QSettings store(path, QSettings::IniFormat);
    const barwright_settings s = readSettings(store);
    EXPECT_EQ(s.symbolsPerRow, 4);
    EXPECT_EQ(s.symbology, 0);
    EXPECT_EQ(s.data, QStringLiteral("1234567890123"));
    EXPECT_EQ(s.fontName, QStringLiteral("ZLT DataBar 34X"));
    EXPECT_EQ(s.fontSize, 1200);  // the recommended size of the default font
}

TEST_F(SettingsStore, WrittenValuesReadBackUnchanged)
{
    barwright_settings written;
    written.symbolsPerRow = -3;  // shown as stored; the encoder judges it
    written.symbology = 5;
    written.data = QStringLiteral("(01)98898765432106(3202)012345, \"quoted\"");
    written.fontName = QStringLiteral("ZLT DataBar EM");
    written.fontSize = 2400;
    writeSettings(store(), written);

    QSettings reopened(store().fileName(), QSettings::IniFormat);
    const barwright_settings s = readSettings(reopened);
    EXPECT_EQ(s.symbolsPerRow, -3);
    EXPECT_EQ(s.symbology, 5);
    EXPECT_EQ(s.data, written.data);
    EXPECT_EQ(s.fontName, written.fontName);
    EXPECT_EQ(s.fontSize, 2400);
    EXPECT_TRUE(reopened.childGroups().contains(QStringLiteral("Defaults")));
}

}  // namespace
