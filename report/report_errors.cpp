#include "report/report_errors.h"

namespace quelmaro {

InvalidPrinterError::InvalidPrinterError(const QString& device, const QString& port, const QString& driver)
    : ReportError(QStringLiteral("Invalid Printer - %1 on %2 (%3)").arg(device, port, driver)) {}

ReportFileError::ReportFileError() : ReportError(QStringLiteral("Unexpected code found in report file.")) {}

} // namespace quelmaro
