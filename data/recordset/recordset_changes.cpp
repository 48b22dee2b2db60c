// Pending changes of a record set: applying them in one transaction, discarding them, counting them.
#include "data/recordset/recordset.h"

#include "data/fb/error.h"
#include "data/fb/metadata.h"
#include "data/recordset/change_writer.h"
#include "data/recordset/error.h"
#include "data/recordset/query.h"

#include <algorithm>

namespace quelmaro {

int RecordSet::applyUpdates() {
    if (master_)
        return root().applyUpdates();
    requireOpen();
    checkBrowseMode();
    if (countChanges(ownRows_) == 0)
        return 0;

    // A row that another transaction held (Firebird 3 reports a row changed meanwhile as a conflict even
    // after waiting for it) is worth a few more tries: the rows are written again from the start.
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        ChangeWriter writer(connection());
        try {
            writer.write(*this, ownRows_);
            break;
        } catch (const std::exception& error) {
            if (attempt < kAttempts && fb::isLockConflict(QString::fromUtf8(error.what())))
                continue;
            Provider& provider = requireProvider();
            const UpdateErrorHandler& handler = provider.updateErrorHandler();
            if (!handler)
                throw;
            handler(provider, writer.failedSet() ? *writer.failedSet() : *this, error, writer.failedKind());
            return 1;
        }
    }
    markApplied(ownRows_);
    return 0;
}

void RecordSet::markApplied(RowTable& table) {
    std::erase_if(table.rows, [](const auto& row) { return row->status == RowStatus::Deleted; });
    for (const auto& row : table.rows) {
        row->status = RowStatus::Unchanged;
        row->original.clear();
        for (const auto& details : row->details)
            if (details)
                markApplied(*details);
    }
}

void RecordSet::cancelUpdates() {
    if (!table_)
        return;
    cancelEdits();
    revert(*table_);
    rebuildVisible();
    moveTo(visible_.empty() ? -1 : 0);
}

void RecordSet::cancelEdits() {
    for (const auto& detail : details_)
        detail->cancelEdits();
    discardEdit();
}

void RecordSet::revert(RowTable& table) {
    std::erase_if(table.rows, [](const auto& row) { return row->status == RowStatus::Inserted; });
    for (const auto& row : table.rows) {
        if (row->status != RowStatus::Unchanged) {
            row->values = std::move(row->original);
            row->original.clear();
            row->status = RowStatus::Unchanged;
        }
        for (const auto& details : row->details)
            if (details)
                revert(*details);
    }
}

int RecordSet::changeCount() const {
    return table_ ? countChanges(*table_) : 0;
}

int RecordSet::countChanges(const RowTable& table) {
    int count = 0;
    for (const auto& row : table.rows) {
        if (row->status != RowStatus::Unchanged)
            ++count;
        for (const auto& details : row->details)
            if (details)
                count += countChanges(*details);
    }
    return count;
}

QStringList RecordSet::keyColumns(const QString& table) {
    const auto known = keyColumns_.constFind(table);
    if (known != keyColumns_.cend())
        return *known;
    // Quoted, so the name is looked up exactly as the column metadata gave it.
    const QStringList columns = fb::primaryKeyColumns(
        connection(), u'"' + QString(table).replace(u'"', QStringLiteral("\"\"")) + u'"');
    keyColumns_.insert(table, columns);
    return columns;
}

bool RecordSet::isKeyField(const Field& field) {
    if (field.isCalculated() || field.table().isEmpty() || !isOpen())
        return false;
    return keyColumns(field.table()).contains(field.column());
}

} // namespace quelmaro
