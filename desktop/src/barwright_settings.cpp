// SPDX-License-Identifier: Apache-2.0
#include "barwright_settings.hpp"

#include "barcode_font_names.hpp"
#include "font_sizes.hpp"
#include "symbology_table.hpp"

#include <QSettings>

namespace Kelbrin::Barwright {

namespace {

constexpr const char* group = "Defaults";
constexpr const char* keySymbolsPerRow = "SymbolsPerRow";
constexpr const char* keySymbology = "Symbology";
constexpr const char* keyData = "DateToEncode";
constexpr const char* keyFontName = "FontName";
constexpr const char* keyFontSize = "FontSize";

// Integers are stored as text in the settings file; anything that is not a 32-bit integer
// (letters, a list, a number out of range) is of the wrong type.
int readInt(const QSettings& store, const char* key, int fallback)
{
    const QVariant v = store.value(key);
    if (!v.isValid())
        return fallback;
    bool ok = false;
    int value = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::QString:
        value = v.toString().trimmed().toInt(&ok);
        return ok ? value : fallback;
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        value = v.toInt(&ok);
        return ok && v.toLongLong() == value ? value : fallback;
    default:
        return fallback;
    }
}

QString readString(const QSettings& store, const char* key, const QString& fallback)
{
    const QVariant v = store.value(key);
    return v.typeId() == QMetaType::QString ? v.toString() : fallback;
}

}  // namespace

barwright_settings readSettings(QSettings& store)
{
    store.beginGroup(group);
    barwright_settings s;
    s.symbolsPerRow = readInt(store, keySymbolsPerRow, 4);
    s.symbology = readInt(store, keySymbology, 0);
    if (s.symbology < 0 || s.symbology >= symbologyCount)
        s.symbology = 0;
    s.data = readString(store, keyData, QString::fromLatin1(symbologyInfo(s.symbology).sampleData));
    s.fontName = readString(store, keyFontName, QString::fromLatin1(font34X.data(), font34X.size()));
    s.fontSize = readInt(store, keyFontSize, recommendedSize(font34X));  // the default font's
    store.endGroup();
    return s;
}

void writeSettings(QSettings& store, const barwright_settings& values)
{
    store.beginGroup(group);
    store.setValue(keySymbolsPerRow, values.symbolsPerRow);
    store.setValue(keySymbology, values.symbology);
    store.setValue(keyData, values.data);
    store.setValue(keyFontName, values.fontName);
    store.setValue(keyFontSize, values.fontSize);
    store.endGroup();
    store.sync();
}

}  // namespace Kelbrin::Barwright
