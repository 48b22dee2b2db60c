#include "tests/support/server_database.h"

#include "data/fb/error.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <stdexcept>

namespace quelmaro::test {

ServerAccount ServerAccount::fromEnvironment() {
    ServerAccount account;
    QStringList missing;
    const auto read = [&](const char* variable, QString& into) {
        into = qEnvironmentVariable(variable);
        if (into.isEmpty())
            missing.append(QString::fromLatin1(variable));
    };
    read("QUELMARO_FB_SERVER_USER", account.user);
    read("QUELMARO_FB_SERVER_PASSWORD", account.password);
    read("QUELMARO_FB_SERVER_DIR", account.directory);
    if (!missing.isEmpty())
        throw std::runtime_error(
            "the Firebird server test settings are missing (" +
            missing.join(QStringLiteral(", ")).toStdString() +
            "): start the services with scripts/services.sh and source their services.env");
    return account;
}

ServerDatabase::ServerDatabase(const QString& fileName)
    : account_(ServerAccount::fromEnvironment()),
      path_(QDir(account_.directory)
                .filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('-') + fileName)) {
    connection_.setParameter(QStringLiteral("Database"), database());
    connection_.setParameter(QStringLiteral("User_Name"), account_.user);
    connection_.setParameter(QStringLiteral("Password"), account_.password);
    connection_.createDatabase();
}

ServerDatabase::~ServerDatabase() {
    try {
        connection_.dropDatabase();
    } catch (const fb::DatabaseError&) {
        // Still open elsewhere: the file goes anyway, the server forgets it once the last attachment closes.
        QFile::remove(path_);
    }
}

} // namespace quelmaro::test
