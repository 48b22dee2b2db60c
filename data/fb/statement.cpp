#include "data/fb/statement.h"

#include "data/fb/error.h"
#include "data/fb/handles.h"
#include "data/fb/values.h"

#include <algorithm>
#include <stdexcept>

namespace quelmaro::fb {

namespace {

// Enough for every statement a run repeats; beyond it, an idle one makes room.
constexpr std::size_t kPreparedStatements = 200;

std::shared_ptr<Statement::Handle> prepare(Transaction::Handle& transaction, const QString& sql) {
    auto handle = std::make_shared<Statement::Handle>();
    handle->link = transaction.link;
    Status status(handle->link.get());
    const QByteArray text = sql.toUtf8();
    handle->statement.reset(transaction.attachment->prepare(&status, transaction.active(),
                                                            unsigned(text.size()), text.constData(), 3,
                                                            Firebird::IStatement::PREPARE_PREFETCH_METADATA));
    handle->type = handle->statement->getType(&status);
    Owned<Firebird::IMessageMetadata> input(handle->statement->getInputMetadata(&status));
    handle->parameters = describeColumns(input.get());
    handle->input.emplace(input.get());
    Owned<Firebird::IMessageMetadata> output(handle->statement->getOutputMetadata(&status));
    handle->columns = describeColumns(output.get());
    if (!handle->columns.isEmpty())
        handle->output.emplace(withWideNumbers(output.get()).get());
    return handle;
}

bool idle(const std::shared_ptr<Statement::Handle>& handle) {
    return handle.use_count() == 1; // only the connection holds it
}

// A statement of this text that nobody holds, or a new one.
std::shared_ptr<Statement::Handle> lend(Connection::Handles& owner, Transaction::Handle& transaction,
                                        const QString& sql) {
    auto [kept, last] = owner.prepared.equal_range(sql);
    while (kept != last) {
        if (!idle(kept->second))
            ++kept;
        else if (kept->second->failed)
            kept = owner.prepared.erase(kept);
        else
            return kept->second;
    }
    std::shared_ptr<Statement::Handle> handle = prepare(transaction, sql);
    if (handle->type == isc_info_sql_stmt_ddl) {
        owner.makeWayForMetadataChange();
        return handle;
    }
    if (owner.prepared.size() >= kPreparedStatements) {
        const auto oldest = std::find_if(owner.prepared.begin(), owner.prepared.end(),
                                         [](const auto& kept) { return idle(kept.second); });
        if (oldest != owner.prepared.end())
            owner.prepared.erase(oldest);
    }
    owner.prepared.emplace(sql, handle);
    return handle;
}

} // namespace

// Dropping the last reference alone would leave the statement on the server, holding the tables it uses.
Statement::Handle::~Handle() {
    try {
        endWith(statement, *link,
                [](Firebird::IStatement* prepared, Status* status) { prepared->free(status); });
    } catch (const DatabaseError&) {
        // The attachment is gone, and the statement with it.
    }
}

void Connection::Handles::makeWayForMetadataChange() {
    std::erase_if(prepared, [](const auto& kept) { return idle(kept.second); });
    // What the shared transactions wrote is committed already; they start again when next needed.
    for (Transaction* shared : {reads.get(), autoCommit.get()}) {
        if (shared)
            shared->rollback();
    }
}

Statement::Statement(Transaction& transaction, const QString& sql)
    : transaction_(transaction.handle()),
      handle_(lend(transaction.connection().handles(), *transaction_, sql)) {}

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
    handle_->executed = false;
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
    handle_->failed = true; // until the server says otherwise
    handle_->statement->execute(&status, blobs.transaction, input.metadata(), input.data(),
                                output ? output->metadata() : nullptr, output ? output->data() : nullptr);
    handle_->failed = false;
    handle_->executed = true;
    return output ? readRow(*output, blobs) : first;
}

std::unique_ptr<Cursor> Statement::open(const QList<Value>& params) {
    if (!returnsRows())
        throw std::logic_error("La sentencia no devuelve filas");
    const BlobScope blobs = transaction_->blobs();
    Status status(blobs.link);
    Message& input = handle_->input->bind(params, blobs);
    Firebird::IMessageMetadata* rowLayout = handle_->output->metadata();
    auto cursor = std::make_unique<Cursor::Handle>(transaction_, handle_, rowLayout, handle_->columns);
    handle_->failed = true;
    cursor->resultSet.reset(handle_->statement->openCursor(&status, blobs.transaction, input.metadata(),
                                                           input.data(), rowLayout, 0));
    handle_->failed = false;
    return std::make_unique<Cursor>(std::move(cursor));
}

// Asked of the server only when wanted: over a slow link the question costs a round trip.
qint64 Statement::affectedRows() const {
    if (!handle_->executed)
        return 0;
    Status status(handle_->link.get());
    return qint64(handle_->statement->getAffectedRecords(&status));
}

bool Statement::changesMetadata() const {
    return handle_->type == isc_info_sql_stmt_ddl;
}

} // namespace quelmaro::fb
