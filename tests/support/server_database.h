#pragma once

#include "data/fb/connection.h"

namespace quelmaro::test {

// The server account of the tests and the folder where the server may create databases, read from
// QUELMARO_FB_SERVER_USER, QUELMARO_FB_SERVER_PASSWORD and QUELMARO_FB_SERVER_DIR. A missing variable is an
// error that names it: the tests always have a server.
struct ServerAccount {
    QString user;
    QString password;
    QString directory;
    static ServerAccount fromEnvironment();
};

// A new, empty database created by the Firebird server on localhost (so the server owns the file), dropped
// afterwards. Close other connections to it before the object goes.
class ServerDatabase {
public:
    explicit ServerDatabase(const QString& fileName = QStringLiteral("norvane.fdb"));
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    const ServerAccount& account() const { return account_; }
    QString path() const { return path_; }                                    // the file on the server
    QString database() const { return QStringLiteral("localhost:") + path_; } // the "Database" parameter
    fb::Connection& connection() { return connection_; }

private:
    ServerAccount account_;
    QString path_;
    fb::Connection connection_;
};

} // namespace quelmaro::test
