#pragma once

#include <QString>

#include <stdexcept>

namespace quelmaro {

// Every failure of the report output layer; the message is the one the operator reads.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// The selected printer is gone or cannot be used; the message names it, or says that none could be found.
class InvalidPrinterError : public ReportError {
public:
    InvalidPrinterError(const QString& device, const QString& port);
};

// A snapshot file or page store that is not one this program wrote, or is damaged.
class ReportFileError : public ReportError {
public:
    ReportFileError();
};

} // namespace quelmaro
