#pragma once

#include <QString>

namespace quelmaro::test {

// Runs a SQL script file with isql-fb against `database` (a file path or host:path), stopping at the first
// error; returns what isql printed and throws std::runtime_error with it when the script fails. The embedded
// engine lets one process at a time open a file: close the test's own connections to it first.
QString runIsqlScript(const QString& database, const QString& scriptPath,
                      const QString& user = QStringLiteral("SYSDBA"),
                      const QString& password = QStringLiteral("masterkey"));

} // namespace quelmaro::test
