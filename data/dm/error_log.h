#pragma once

#include <QDateTime>
#include <QString>

namespace quelmaro::dm {

// ERRORES.TXT: one line per reported error, "date,time,user,message" ended by CR LF, appended forever.
// Failures to write are ignored: the error is still shown to the operator.
class ErrorLog {
public:
    // The log lies in `directory`; an empty directory puts it at the root of the file system, as the
    // program has always done without its registry entry.
    static QString pathIn(const QString& directory);

    // The line written for `message` at `when` by `user`. Line breaks inside the message (Firebird's
    // texts have several lines) become one space each, so one error is always one line.
    static QString line(const QDateTime& when, const QString& user, const QString& message);

    static void append(const QString& directory, const QDateTime& when, const QString& user,
                       const QString& message);
};

} // namespace quelmaro::dm
