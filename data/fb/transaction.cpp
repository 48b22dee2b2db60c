#include "data/fb/transaction.h"

#include "data/fb/error.h"
#include "data/fb/handles.h"
#include "data/fb/statement.h"

#include <stdexcept>

namespace quelmaro::fb {

namespace {

// Read committed with record versions: a reader sees the last committed version and never waits for a writer.
Owned<Firebird::IXpbBuilder> transactionParameters(const Connection& connection, Transaction::Access access) {
    Status status;
    Owned<Firebird::IXpbBuilder> tpb(util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0));
    tpb->insertTag(&status, isc_tpb_read_committed);
    tpb->insertTag(&status, isc_tpb_rec_version);
    const bool waits =
        connection.parameter("WaitOnLocks").compare(QLatin1String("False"), Qt::CaseInsensitive) != 0;
    tpb->insertTag(&status, waits ? isc_tpb_wait : isc_tpb_nowait);
    // A row held by a session that never ends must not hold the program for ever either.
    const int lockTimeout = connection.parameter("LockTimeout").toInt();
    if (waits && lockTimeout > 0)
        tpb->insertInt(&status, isc_tpb_lock_timeout, lockTimeout);
    const bool reads = connection.isReadOnly() || access == Transaction::Access::ReadOnly;
    tpb->insertTag(&status, reads ? isc_tpb_read : isc_tpb_write);
    if (access == Transaction::Access::AutoCommit)
        tpb->insertTag(&status, isc_tpb_autocommit);
    return tpb;
}

} // namespace

Firebird::ITransaction* Transaction::Handle::active() const {
    if (!isActive())
        throw std::logic_error("La transacción ya terminó: no se puede usar para leer ni escribir");
    throwIfLost(*link);
    return transaction.get();
}

void Transaction::Handle::rollback() {
    endWith(transaction, *link, [](Firebird::ITransaction* open, Status* status) { open->rollback(status); });
}

Transaction::Transaction(Connection& connection, Access access)
    : connection_(connection), handle_(std::make_shared<Handle>()) {
    connection.open();
    Connection::Handles& owner = connection.handles();
    throwIfLost(*owner.link);
    Owned<Firebird::IXpbBuilder> tpb = transactionParameters(connection, access);
    Status status(owner.link.get());
    handle_->link = owner.link;
    handle_->attachment = shared(owner.attachment.get());
    handle_->transaction.reset(
        owner.attachment->startTransaction(&status, tpb->getBufferLength(&status), tpb->getBuffer(&status)));
    std::erase_if(owner.transactions, [](const auto& transaction) { return transaction.expired(); });
    owner.transactions.push_back(handle_);
}

Transaction::~Transaction() {
    try {
        rollback();
    } catch (const DatabaseError&) {
        // The attachment is gone; dropping the reference is all that is left to do.
    }
}

bool Transaction::isActive() const {
    return handle_->isActive();
}

void Transaction::commit() {
    endWith(handle_->transaction, *handle_->link,
            [](Firebird::ITransaction* open, Status* status) { open->commit(status); });
}

void Transaction::rollback() {
    handle_->rollback();
}

QueryResult Transaction::query(const QString& sql, const QList<Value>& params) {
    Statement statement(*this, sql);
    QueryResult result;
    result.columns = statement.columns();
    if (!statement.returnsRows()) {
        if (Row outputs = statement.execute(params); !outputs.isEmpty())
            result.rows.append(outputs);
        return result;
    }
    std::unique_ptr<Cursor> cursor = statement.open(params);
    for (Row row; cursor->fetch(row);)
        result.rows.append(row);
    return result;
}

Row Transaction::execute(const QString& sql, const QList<Value>& params) {
    return Statement(*this, sql).execute(params);
}

const std::shared_ptr<Transaction::Handle>& Transaction::handle() const {
    return handle_;
}

} // namespace quelmaro::fb
