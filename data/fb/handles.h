#pragma once

// What the public classes of this folder hold of the client library.

#include "data/fb/blob.h"
#include "data/fb/client.h"
#include "data/fb/message.h"
#include "data/fb/statement.h"
#include "data/fb/values.h"

#include <QMap>

#include <map>
#include <optional>
#include <vector>

namespace quelmaro::fb {

struct Connection::Handles {
    struct Parameter {
        QString name; // as first written
        QString value;
    };
    QMap<QString, Parameter> parameters; // by lower-case name
    bool readOnly = false;
    Owned<Firebird::IAttachment> attachment;
    std::shared_ptr<Link> link; // one for each attachment made
    // Closing the connection rolls back whatever these still have open.
    std::vector<std::weak_ptr<Transaction::Handle>> transactions;
    // Statements prepared on the attachment, by text. One that nobody else holds is lent again instead of
    // being prepared anew: over a slow link every prepare is a round trip to the server.
    std::multimap<QString, std::shared_ptr<Statement::Handle>> prepared;
    // The transactions that statements run without one of their own share, so that none of them costs the
    // start and end of a transaction: a read-only one for lookups, an autocommit one for the rest.
    std::unique_ptr<Transaction> reads;
    std::unique_ptr<Transaction> autoCommit;

    // Before a change of metadata: the statements nobody holds are freed and the shared transactions end,
    // since both keep the tables they used in use until then (a cursor still open on them ends too).
    void makeWayForMetadataChange();
};

// Shared by the transaction with its statements and cursors, so that they notice when it has ended.
struct Transaction::Handle {
    std::shared_ptr<Link> link;
    Owned<Firebird::IAttachment> attachment;
    Owned<Firebird::ITransaction> transaction; // empty once committed or rolled back

    bool isActive() const { return transaction != nullptr; }
    // The transaction for a statement or cursor to run in; using an ended one is a programming error, using
    // one whose connection was lost a DatabaseError.
    Firebird::ITransaction* active() const;
    BlobScope blobs() const { return {attachment.get(), active(), link.get()}; }
    void rollback();
};

struct Statement::Handle {
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle();

    std::shared_ptr<Link> link;
    Owned<Firebird::IStatement> statement; // freed on the server with the handle
    std::optional<ParameterMessage> input;
    std::optional<Message> output; // empty when the statement gives nothing back
    QList<Column> columns;
    QList<Column> parameters;
    unsigned type = 0;     // isc_info_sql_stmt_*
    bool executed = false; // by execute(): affected rows can be asked for
    // The last run failed. The server may have refused it for a change made to its tables since it was
    // prepared (a trigger dropped, say), which the prepared statement does not see: it is prepared anew.
    bool failed = false;
};

struct Cursor::Handle {
    Handle(std::shared_ptr<Transaction::Handle> readsIn, std::shared_ptr<Statement::Handle> openedBy,
           Firebird::IMessageMetadata* rowLayout, QList<Column> rowColumns)
        : transaction(std::move(readsIn)), statement(std::move(openedBy)), row(rowLayout),
          columns(std::move(rowColumns)) {}

    // Members go in reverse order: the result set first, the transaction it reads in last.
    std::unique_ptr<Statement> ownedStatement;
    std::shared_ptr<Transaction::Handle> transaction;
    std::shared_ptr<Statement::Handle> statement; // not lent to anybody else while the rows are open
    Message row;
    QList<Column> columns;
    Owned<Firebird::IResultSet> resultSet;
};

} // namespace quelmaro::fb
