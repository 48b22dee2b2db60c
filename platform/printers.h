#pragma once

#include <QString>
#include <QStringList>

namespace quelmaro::platform {

// The installed printers, in the order the system lists them. Resolution, paper and margins are the
// QPrinter's business once a printer is chosen.
QStringList installedPrinterNames();

// The system's default printer, or an empty text when there is none.
QString defaultPrinterName();

} // namespace quelmaro::platform
