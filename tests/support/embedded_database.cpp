#include "tests/support/embedded_database.h"

namespace quelmaro::test {

EmbeddedDatabase::EmbeddedDatabase(const QString& fileName) : path_(dir_.filePath(fileName)) {
    connection_.setParameter(QStringLiteral("Database"), path_);
    connection_.setParameter(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    connection_.setParameter(QStringLiteral("Password"), QStringLiteral("masterkey"));
    connection_.createDatabase();
}

} // namespace quelmaro::test
