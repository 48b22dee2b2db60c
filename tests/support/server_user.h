#pragma once

#include <QString>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro::test {

// A user of the Firebird server on localhost made for one test under a name of its own, dropped afterwards
// through the same administrator's attachment, which must outlive it.
class ServerUser {
public:
    explicit ServerUser(fb::Connection& administrator);
    ~ServerUser();
    ServerUser(const ServerUser&) = delete;
    ServerUser& operator=(const ServerUser&) = delete;

    const QString& name() const { return name_; }
    const QString& password() const { return password_; }

    // Everything on every table, procedure, sequence and exception of `database` (attached as its owner):
    // what a user of the suite's programs has, but not the right to make tables.
    void grantEverythingIn(fb::Connection& database) const;

private:
    fb::Connection& administrator_;
    QString name_;
    QString password_;
};

} // namespace quelmaro::test
