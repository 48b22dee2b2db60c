#pragma once

#include <QString>

#include <stdexcept>

namespace quelmaro::fb {

// Every failure the Firebird client reports. The message is "Database error: " followed by the client's
// own formatted status text, all lines joined with "\n-" as the client formats them.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& clientText);
    QString message() const { return QString::fromUtf8(what()); }
    // The client's own text without the prefix.
    QString clientText() const;
    static constexpr const char* kPrefix = "Database error: ";
};

} // namespace quelmaro::fb
