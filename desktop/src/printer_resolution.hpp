// SPDX-License-Identifier: Apache-2.0
// Horizontal resolution of the user's default printer.
#pragma once

namespace Kelbrin::Barwright {

inline constexpr int fallbackPrinterResolution = 300;

// Dots per inch of the default printer; 300 when there is no default printer.
int defaultPrinterResolution();

}  // namespace Kelbrin::Barwright
