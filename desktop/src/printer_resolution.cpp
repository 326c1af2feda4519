// SPDX-License-Identifier: Apache-2.0
#include "printer_resolution.hpp"

#include <QPrinter>
#include <QPrinterInfo>

namespace Kelbrin::Barwright {

int defaultPrinterResolution()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return fallbackPrinterResolution;
    QPrinter printer(info, QPrinter::HighResolution);
    return printer.logicalDpiX();
}

}  // namespace Kelbrin::Barwright
