#pragma once

// What the public classes of this folder hold of the client library.

#include "data/fb/blob.h"
#include "data/fb/client.h"
#include "data/fb/message.h"
#include "data/fb/statement.h"

#include <QMap>

#include <optional>

namespace quelmaro::fb {

struct Connection::Handles {
    struct Parameter {
        QString name; // as first written
        QString value;
    };
    QMap<QString, Parameter> parameters; // by lower-case name
    bool readOnly = false;
    Owned<Firebird::IAttachment> attachment;
};

struct Transaction::Handle {
    Owned<Firebird::ITransaction> transaction;
};

struct Statement::Handle {
    Owned<Firebird::IStatement> statement;
    Owned<Firebird::IMessageMetadata> input; // as the statement declares its parameters
    std::optional<Message> output;           // empty when the statement gives nothing back
    QList<Column> columns;
    QList<Column> parameters;
    unsigned type = 0; // isc_info_sql_stmt_*
    qint64 affectedRows = 0;
};

struct Cursor::Handle {
    Handle(BlobScope blobs, Firebird::IStatement* openedBy, Firebird::IMessageMetadata* rowLayout,
           QList<Column> rowColumns)
        : attachment(shared(blobs.attachment)), transaction(shared(blobs.transaction)),
          statement(shared(openedBy)), row(rowLayout), columns(std::move(rowColumns)) {}

    // Members go in reverse order: the result set first, the transaction it reads in last.
    std::unique_ptr<Transaction> ownedTransaction; // set when the cursor commits its own transaction
    std::unique_ptr<Statement> ownedStatement;
    Owned<Firebird::IAttachment> attachment;
    Owned<Firebird::ITransaction> transaction;
    Owned<Firebird::IStatement> statement;
    Message row;
    QList<Column> columns;
    Owned<Firebird::IResultSet> resultSet;

    BlobScope blobs() const { return {attachment.get(), transaction.get()}; }
};

} // namespace quelmaro::fb
