// SPDX-License-Identifier: Apache-2.0
// What Barwright remembers between runs: section "Defaults" of its per-user settings.
#pragma once

#include <QString>

class QSettings;

namespace Kelbrin::Barwright {

inline constexpr const char* settingsOrganization = "Kelbrin";
inline constexpr const char* settingsApplication = "Barwright";

struct barwright_settings {
    int symbolsPerRow = 4;
    int symbology = 0;  // 0 to 7
    QString data;       // "DateToEncode"
    QString fontName;
    int fontSize = 1200;  // hundredths of a point
};

// Reads the five values; a missing value, one of the wrong type, or a symbology outside 0 to 7
// reads as its default. The data's default follows the symbology read.
barwright_settings readSettings(QSettings& store);

void writeSettings(QSettings& store, const barwright_settings& values);

}  // namespace Kelbrin::Barwright
