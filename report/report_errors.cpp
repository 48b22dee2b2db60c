#include "report/report_errors.h"

namespace quelmaro {

namespace {

QString invalidPrinterMessage(const QString& device, const QString& port) {
    if (device.isEmpty())
        return QStringLiteral(
            "No se encontró ninguna impresora: el sistema de impresión no responde o no tiene "
            "impresora predeterminada.");
    const QString printer = port.isEmpty() ? device : QStringLiteral("%1 en %2").arg(device, port);
    return QStringLiteral("No se puede imprimir en la impresora %1: ya no está instalada o el sistema de "
                          "impresión no responde.")
        .arg(printer);
}

} // namespace

InvalidPrinterError::InvalidPrinterError(const QString& device, const QString& port)
    : ReportError(invalidPrinterMessage(device, port)) {}

ReportFileError::ReportFileError() : ReportError(QStringLiteral("Unexpected code found in report file.")) {}

} // namespace quelmaro
