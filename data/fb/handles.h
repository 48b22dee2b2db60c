#pragma once

// What the public classes of this folder hold of the client library.

#include "data/fb/blob.h"
#include "data/fb/client.h"
#include "data/fb/message.h"
#include "data/fb/statement.h"
#include "data/fb/values.h"

#include <QMap>

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
    Owned<Firebird::IStatement> statement;
    std::optional<ParameterMessage> input;
    std::optional<Message> output; // empty when the statement gives nothing back
    QList<Column> columns;
    QList<Column> parameters;
    unsigned type = 0; // isc_info_sql_stmt_*
    qint64 affectedRows = 0;
};

struct Cursor::Handle {
    Handle(std::shared_ptr<Transaction::Handle> readsIn, Firebird::IStatement* openedBy,
           Firebird::IMessageMetadata* rowLayout, QList<Column> rowColumns)
        : transaction(std::move(readsIn)), statement(shared(openedBy)), row(rowLayout),
          columns(std::move(rowColumns)) {}

    // Members go in reverse order: the result set first, the transaction it reads in last.
    std::unique_ptr<Transaction> ownedTransaction; // set when the cursor commits its own transaction
    std::unique_ptr<Statement> ownedStatement;
    std::shared_ptr<Transaction::Handle> transaction;
    Owned<Firebird::IStatement> statement;
    Message row;
    QList<Column> columns;
    Owned<Firebird::IResultSet> resultSet;
};

} // namespace quelmaro::fb
