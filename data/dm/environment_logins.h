#pragma once

#include <QString>
#include <QStringList>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro::dm {

// A scheduler's start may leave the passwords out of the command line, which any user of the machine reads
// in the process list, and put them in the environment, which only the process's own user reads.

// `argument`, or QUELMARO_ORIGIN_PASSWORD when `argument` is empty.
QString originPassword(const QString& argument);

// The command line (argument 1 first) with an empty origin password (argument 3) taken from
// QUELMARO_ORIGIN_PASSWORD and an empty destination password (argument 7) from
// QUELMARO_DESTINATION_PASSWORD. A start without arguments is left as it is.
QStringList withPasswordsFromEnvironment(QStringList arguments);

// Makes `connection` name the role QUELMARO_DESTINATION_ROLE names, if any, whenever it attaches. Meant for
// the central company; a database that does not grant the role to the user ignores it.
void nameRoleFromEnvironment(fb::Connection& connection);

} // namespace quelmaro::dm
