#include "data/fb/statement.h"

#include "data/fb/handles.h"
#include "data/fb/values.h"

#include <stdexcept>

namespace quelmaro::fb {

Statement::Statement(Transaction& transaction, const QString& sql)
    : transaction_(transaction.handle()), handle_(std::make_unique<Handle>()) {
    Status status(transaction_->link.get());
    const QByteArray text = sql.toUtf8();
    handle_->statement.reset(transaction_->attachment->prepare(
        &status, transaction_->active(), unsigned(text.size()), text.constData(), 3,
        Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    handle_->type = handle_->statement->getType(&status);
    Owned<Firebird::IMessageMetadata> input(handle_->statement->getInputMetadata(&status));
    handle_->parameters = describeColumns(input.get());
    handle_->input.emplace(input.get());
    Owned<Firebird::IMessageMetadata> output(handle_->statement->getOutputMetadata(&status));
    handle_->columns = describeColumns(output.get());
    if (!handle_->columns.isEmpty())
        handle_->output.emplace(withWideNumbers(output.get()).get());
}

Statement::~Statement() = default;

const QList<Column>& Statement::columns() const {
    return handle_->columns;
}

const QList<Column>& Statement::parameters() const {
    return handle_->parameters;
}

bool Statement::returnsRows() const {
    return handle_->type == isc_info_sql_stmt_select || handle_->type == isc_info_sql_stmt_select_for_upd;
}

Row Statement::execute(const QList<Value>& params) {
    handle_->affectedRows = 0;
    Row first;
    if (returnsRows()) { // the client would refuse a select that finds no row
        if (!open(params)->fetch(first))
            first.clear();
        return first;
    }
    const BlobScope blobs = transaction_->blobs();
    Status status(blobs.link);
    Message& input = handle_->input->bind(params, blobs);
    Message* output = handle_->output ? &*handle_->output : nullptr;
    handle_->statement->execute(&status, blobs.transaction, input.metadata(), input.data(),
                                output ? output->metadata() : nullptr, output ? output->data() : nullptr);
    handle_->affectedRows = qint64(handle_->statement->getAffectedRecords(&status));
    return output ? readRow(*output, blobs) : first;
}

std::unique_ptr<Cursor> Statement::open(const QList<Value>& params) {
    if (!returnsRows())
        throw std::logic_error("La sentencia no devuelve filas");
    const BlobScope blobs = transaction_->blobs();
    Status status(blobs.link);
    Message& input = handle_->input->bind(params, blobs);
    Firebird::IMessageMetadata* rowLayout = handle_->output->metadata();
    auto cursor =
        std::make_unique<Cursor::Handle>(transaction_, handle_->statement.get(), rowLayout, handle_->columns);
    cursor->resultSet.reset(handle_->statement->openCursor(&status, blobs.transaction, input.metadata(),
                                                           input.data(), rowLayout, 0));
    return std::make_unique<Cursor>(std::move(cursor));
}

qint64 Statement::affectedRows() const {
    return handle_->affectedRows;
}

} // namespace quelmaro::fb
