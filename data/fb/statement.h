#pragma once

#include "data/fb/connection.h"
#include "data/fb/transaction.h"

#include <memory>

namespace quelmaro::fb {

// A statement prepared inside a transaction and run many times with bound parameters. Running it after its
// transaction has ended is an error (std::logic_error). The connection keeps what was prepared: a later
// statement of the same text reuses it while no other statement or cursor holds it.
class Statement {
public:
    Statement(Transaction& transaction, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    const QList<Column>& columns() const;    // output columns (or output parameters)
    const QList<Column>& parameters() const; // input parameters
    bool returnsRows() const;                // a select or a selectable procedure

    // Runs a statement without a result set; EXECUTE PROCEDURE (and RETURNING) gives its output parameters as
    // a row. A select gives its first row, or an empty row when it finds none.
    Row execute(const QList<Value>& params = {});
    // Opens the rows of a select.
    std::unique_ptr<Cursor> open(const QList<Value>& params = {});
    // Rows changed by the last execute (insert, update, delete).
    qint64 affectedRows() const;
    // CREATE, ALTER, DROP and the like.
    bool changesMetadata() const;

    struct Handle;

private:
    std::shared_ptr<Transaction::Handle> transaction_;
    std::shared_ptr<Handle> handle_;
};

// The open rows of a select, read in the transaction of the statement that opened them; reading on after it
// has ended is an error (std::logic_error). Reading past the last row closes the cursor.
class Cursor {
public:
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const QList<Column>& columns() const;
    // The next row, or false at the end (the cursor is then closed).
    bool fetch(Row& row);
    void close();

    struct Handle;
    explicit Cursor(std::unique_ptr<Handle> handle);

private:
    friend class Connection; // hands the cursor its own statement and transaction
    std::unique_ptr<Handle> handle_;
};

} // namespace quelmaro::fb
