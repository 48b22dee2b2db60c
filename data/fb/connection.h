#pragma once

#include "data/fb/column.h"
#include "data/types/value.h"

#include <QList>
#include <QMap>
#include <QString>

#include <memory>

namespace quelmaro::fb {

class Transaction;
class Cursor;

using Row = QList<Value>;

// All rows of a statement, with the columns that describe them.
struct QueryResult {
    QList<Column> columns;
    QList<Row> rows;
    int columnIndex(const QString& name) const; // case-insensitive, -1 when absent
};

// One attachment to a Firebird database. Parameters are held by name and matched without regard to case;
// the defaults are the data module's (SQLDialect 3, WaitOnLocks True, read-committed with record versions,
// CommitRetain False, BlobSize -1). "Database" is a bare file path (embedded engine) or "host:path" (server).
// Attaching uses Database, User_Name, Password and RoleName (not sent when empty or left at its design value,
// the word "RoleName"); WaitOnLocks False makes transactions fail at once on a lock instead of waiting.
// The attachment always uses character set UTF8, so all text is Unicode whatever the database's own.
// Paths with characters beyond ASCII need a UTF-8 process locale, which a Qt application sets.
// Transactions, statements and cursors of a connection must be gone before the connection is destroyed.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setParameter(const QString& name, const QString& value);
    QString parameter(const QString& name) const; // "" when unset
    QMap<QString, QString> parameters() const;    // keys as first written

    // Transactions of this connection only read (the transmission's origin connection).
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    // Whether the database is reached through a server ("host:path", "host/port:path"), where every
    // exchange with it is a round trip, rather than opened by the engine in this process.
    bool isRemote() const;

    bool isOpen() const;
    void open(); // attaches with the parameters held now; does nothing when already open
    // Rolls back the transactions still open on it (their cursors end with them) and detaches.
    void close();
    // Creates the file named by "Database" (dialect 3, default character set UTF8) and stays attached to it.
    void createDatabase();
    // Deletes the database this connection attaches to; no other attachment may be open on it.
    void dropDatabase();

    // Statements run with bound parameters, each committed at once: in a transaction the connection keeps
    // for them, which the server commits after every statement that succeeds (a change of metadata gets a
    // transaction of its own).
    QueryResult query(const QString& sql, const QList<Value>& params = {});
    // A select that only reads (no procedure that writes), in a read-only transaction that the lookups of
    // this connection share: nothing waits on the disk or on the server to start or end one per lookup.
    QueryResult read(const QString& sql, const QList<Value>& params = {});
    // Runs a statement that returns no rows, or EXECUTE PROCEDURE: the output parameters as one row.
    Row execute(const QString& sql, const QList<Value>& params = {});
    // A select whose rows are read as needed, in the transaction of query() and execute().
    std::unique_ptr<Cursor> openCursor(const QString& sql, const QList<Value>& params = {});
    // The columns a statement gives back, without running it.
    QList<Column> describe(const QString& sql);

    // Whether connections to a server ask for wire compression, for every connection of the process: yes
    // unless turned off (a fast network and a slow processor may do better without).
    static void setWireCompression(bool wanted);

    // An explicit read-committed, record-version, wait transaction.
    std::unique_ptr<Transaction> startTransaction();

    struct Handles;
    Handles& handles(); // for Transaction, Statement and Cursor

private:
    std::unique_ptr<Handles> handles_;
};

} // namespace quelmaro::fb
