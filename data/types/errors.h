#pragma once

#include <QString>

#include <stdexcept>

namespace quelmaro {

// Raised when a text cannot become a number, date or time, or when arithmetic overflows.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// Ends the operation in progress without a message: the error was already reported to the operator.
class OperationAborted : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace quelmaro
