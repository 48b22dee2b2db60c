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

// What kind of trouble a client text (with or without the prefix) tells of. A row another transaction holds
// (past the lock timeout, or changed by it meanwhile) and a true deadlock read the same and may succeed when
// tried again; a lost connection will not come back by itself.
bool isLockConflict(const QString& text);
bool isConnectionLost(const QString& text);

} // namespace quelmaro::fb
