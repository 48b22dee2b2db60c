#pragma once

#include "data/fb/connection.h"

#include <QStringList>

namespace quelmaro::fb {

// The columns of the table's primary key in key order; empty when it has none. An unquoted table name is
// matched as Firebird stores it (upper case); a name in double quotes is matched exactly.
QStringList primaryKeyColumns(Connection& connection, const QString& table);

} // namespace quelmaro::fb
