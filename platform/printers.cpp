#include "platform/printers.h"

#include <QPrinterInfo>

namespace quelmaro::platform {

QStringList installedPrinterNames() {
    return QPrinterInfo::availablePrinterNames();
}

QString defaultPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

} // namespace quelmaro::platform
