#pragma once

#include <QString>

#include <stdexcept>

namespace quelmaro::platform {

// Raised when the operating system gives something the program cannot use (for example a registry value of
// the wrong type). It reaches the application-wide error handler like any other error.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace quelmaro::platform
