#include "data/fb/error.h"
#include "data/fb/handles.h"
#include "data/fb/values.h"

namespace quelmaro::fb {

Cursor::Cursor(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}

Cursor::~Cursor() {
    try {
        close();
    } catch (const DatabaseError&) {
        // The server went away: dropping the references is all that is left to do.
    }
}

const QList<Column>& Cursor::columns() const {
    return handle_->columns;
}

bool Cursor::fetch(Row& row) {
    if (!handle_->resultSet)
        return false;
    const BlobScope blobs = handle_->transaction->blobs();
    Status status(blobs.link);
    if (handle_->resultSet->fetchNext(&status, handle_->row.data()) != Firebird::IStatus::RESULT_OK) {
        close();
        return false;
    }
    row = readRow(handle_->row, blobs);
    return true;
}

void Cursor::close() {
    if (handle_->transaction->isActive())
        endWith(handle_->resultSet, *handle_->transaction->link,
                [](Firebird::IResultSet* open, Status* status) { open->close(status); });
    else
        handle_->resultSet.reset(); // its transaction has ended, and the rows with it
}

} // namespace quelmaro::fb
