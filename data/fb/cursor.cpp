#include "data/fb/error.h"
#include "data/fb/handles.h"
#include "data/fb/values.h"

namespace quelmaro::fb {

Cursor::Cursor(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

Cursor::~Cursor() {
    try {
        close();
    } catch (const DatabaseError&) {
        // A cursor that cannot commit rolls back as its transaction is destroyed.
    }
}

const QList<Column>& Cursor::columns() const {
    return handle_->columns;
}

bool Cursor::fetch(Row& row) {
    if (!handle_->resultSet)
        return false;
    Status status;
    if (handle_->resultSet->fetchNext(&status, handle_->row.data()) != Firebird::IStatus::RESULT_OK) {
        close();
        return false;
    }
    row = readRow(handle_->row, handle_->blobs());
    return true;
}

void Cursor::close() {
    endWith(handle_->resultSet,
            [](Firebird::IResultSet* resultSet, Status* status) { resultSet->close(status); });
    if (handle_->ownedTransaction)
        handle_->ownedTransaction->commit();
}

} // namespace quelmaro::fb
