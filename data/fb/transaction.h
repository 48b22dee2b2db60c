#pragma once

#include "data/fb/connection.h"

namespace quelmaro::fb {

// A transaction on one connection; rolled back when destroyed without commit, and when its connection closes.
class Transaction {
public:
    // ReadOnly only reads, whatever the connection allows; its end has nothing to write to the database.
    // AutoCommit has the server commit each statement as soon as it succeeds, keeping the transaction
    // going: a failed statement leaves nothing behind and the work of the others stays.
    enum class Access { AsConnection, ReadOnly, AutoCommit };

    explicit Transaction(Connection& connection, Access access = Access::AsConnection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const;
    void commit();
    void rollback();

    // Statements inside this transaction, with bound parameters.
    QueryResult query(const QString& sql, const QList<Value>& params = {});
    Row execute(const QString& sql, const QList<Value>& params = {});

    Connection& connection() { return connection_; }
    struct Handle;
    const std::shared_ptr<Handle>& handle() const; // for Statement and Cursor

private:
    Connection& connection_;
    std::shared_ptr<Handle> handle_;
};

// The AutoCommit transaction that the statements of `connection` without a transaction of their own share
// (Connection::query, execute, openCursor), started when needed; it ends when the connection closes or
// before a change of metadata.
Transaction& autoCommitTransaction(Connection& connection);

} // namespace quelmaro::fb
