#include "data/recordset/change_writer.h"

#include "data/fb/error.h"
#include "data/fb/statement.h"
#include "data/fb/transaction.h"
#include "data/recordset/error.h"
#include "data/recordset/recordset.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

// Values that "=" cannot find reliably (large objects, floating point) are left out of a row's search.
bool comparable(const Field& field) {
    return field.type() != fb::ColumnType::Blob && field.type() != fb::ColumnType::TextBlob &&
           field.type() != fb::ColumnType::Double;
}

} // namespace

QString ChangeWriter::quoted(QString name) {
    return u'"' + name.replace(u'"', u"\"\""_s) + u'"';
}

ChangeWriter::ChangeWriter(fb::Connection& connection) : connection_(connection) {}

ChangeWriter::~ChangeWriter() = default;

void ChangeWriter::write(RecordSet& set, RowTable& rows) {
    changes_.clear();
    collect(set, rows);
    const std::vector<std::vector<Run>> batches = this->batches();
    const bool onlyInserts = std::none_of(changes_.begin(), changes_.end(),
                                          [](const Change& change) { return change.mustFindRow; });
    if (batches.size() == 1 && onlyInserts && writeAlone(batches.front()))
        return;
    writeInTransaction(batches);
}

// True when the batch went in; otherwise nothing of it stays.
bool ChangeWriter::writeAlone(const std::vector<Run>& runs) {
    use(fb::autoCommitTransaction(connection_));
    try {
        runBatch(runs);
        return true;
    } catch (const std::exception& error) {
        rethrowLockConflict(error, runs);
        return false; // found again, row by row, in a transaction that writes nothing
    }
}

// A row another transaction holds would be waited for again, row by row: the whole apply is tried again
// instead, and the first row of the batch is named, where such a conflict usually starts (its numbering).
void ChangeWriter::rethrowLockConflict(const std::exception& error, const std::vector<Run>& runs) {
    if (!fb::isLockConflict(QString::fromUtf8(error.what())))
        return;
    current_ = runs.front().first->key.set;
    currentKind_ = runs.front().first->key.kind;
    throw;
}

void ChangeWriter::writeInTransaction(const std::vector<std::vector<Run>>& batches) {
    fb::Transaction transaction(connection_); // rolled back by an error, before anybody is told
    use(transaction);
    for (const auto& batch : batches)
        writeBatch(batch);
    transaction.commit();
}

void ChangeWriter::use(fb::Transaction& transaction) {
    statements_.clear();
    transaction_ = &transaction;
}

void ChangeWriter::collect(RecordSet& set, RowTable& rows) {
    for (const auto& row : rows.rows) {
        const bool deleted = row->status == RowStatus::Deleted;
        if (!deleted)
            collectRow(set, *row);
        for (std::size_t i = 0; i < row->details.size(); ++i)
            if (row->details[i])
                collect(set.detail(int(i)), *row->details[i]);
        if (deleted)
            collectRow(set, *row);
    }
}

void ChangeWriter::collectRow(RecordSet& set, RowNode& row) {
    current_ = &set;
    switch (row.status) {
    case RowStatus::Unchanged:
        return;
    case RowStatus::Inserted:
        currentKind_ = UpdateKind::Insert;
        insert(set, row);
        return;
    case RowStatus::Modified:
        currentKind_ = UpdateKind::Modify;
        update(set, row);
        return;
    case RowStatus::Deleted:
        currentKind_ = UpdateKind::Delete;
        remove(set, row);
        return;
    }
}

// Null values are left out, so the table's defaults apply to them.
void ChangeWriter::insert(RecordSet& set, const RowNode& row) {
    Change change{{&set, UpdateKind::Insert, {}, {}}, {}, {}, false};
    for (int field : target(set).columns) {
        if (!row.values[field].isNull()) {
            change.key.columns.push_back(field);
            change.values << row.values[field];
            change.fields.push_back(field);
        }
    }
    changes_.push_back(std::move(change));
}

void ChangeWriter::update(RecordSet& set, const RowNode& row) {
    Change change{{&set, UpdateKind::Modify, {}, {}}, {}, {}, true};
    for (int field : target(set).columns) {
        if (row.values[field] != row.original[field]) {
            change.key.columns.push_back(field);
            change.values << row.values[field];
            change.fields.push_back(field);
        }
    }
    if (change.key.columns.empty())
        return;
    change.key.where = whereFields(set, row, change);
    changes_.push_back(std::move(change));
}

void ChangeWriter::remove(RecordSet& set, const RowNode& row) {
    Change change{{&set, UpdateKind::Delete, {}, {}}, {}, {}, true};
    change.key.where = whereFields(set, row, change);
    changes_.push_back(std::move(change));
}

ChangeWriter::Target& ChangeWriter::target(RecordSet& set) {
    const auto [found, fresh] = targets_.try_emplace(&set);
    Target& target = found->second;
    if (!fresh)
        return target;
    target.table = set.updateTable();
    if (target.table.isEmpty())
        throw RecordSetError(
            QStringLiteral("%1: sus filas no vienen de una tabla en la que se puedan escribir")
                .arg(set.name()));
    for (int i = 0; i < set.dataFieldCount_; ++i) {
        const Field& field = set.field(i);
        if (field.table() == target.table && !field.column().isEmpty())
            target.columns.push_back(i);
    }
    return target;
}

const std::vector<int>& ChangeWriter::keyOf(RecordSet& set) {
    Target& target = this->target(set);
    if (target.keyKnown)
        return target.key;
    target.keyKnown = true;
    for (const QString& column : set.keyColumns(target.table)) {
        const auto field = std::find_if(target.columns.begin(), target.columns.end(),
                                        [&](int index) { return set.field(index).column() == column; });
        if (field == target.columns.end()) {
            // The record set lacks part of the key: the row is found by all its values instead.
            target.key.clear();
            break;
        }
        target.key.push_back(*field);
    }
    return target.key;
}

// The fields that find the row as the database holds it; their original values go to the change.
std::vector<int> ChangeWriter::whereFields(RecordSet& set, const RowNode& row, Change& change) {
    std::vector<int> where;
    const std::vector<int>& key = keyOf(set);
    for (int field : key.empty() ? target(set).columns : key) {
        const Value& original = row.original[field];
        if (original.isNull()) {
            where.push_back(-(field + 1));
        } else if (!key.empty() || comparable(set.field(field))) {
            where.push_back(field);
            change.values << original;
            change.fields.push_back(field);
        }
    }
    if (where.empty())
        throw RecordSetError(
            QStringLiteral("%1: ninguna columna identifica la fila a escribir").arg(set.name()));
    return where;
}

void ChangeWriter::writeOne(const Change& change) {
    current_ = change.key.set;
    currentKind_ = change.key.kind;
    std::unique_ptr<fb::Statement>& statement = statements_[change.key];
    if (!statement)
        statement =
            std::make_unique<fb::Statement>(*transaction_, statementText(change.key, [] { return u"?"_s; }));
    statement->execute(change.values);
    if (change.mustFindRow && statement->affectedRows() == 0)
        failAt(change);
}

void ChangeWriter::failAt(const Change& change) {
    current_ = change.key.set;
    currentKind_ = change.key.kind;
    throw RecordSetError(
        QStringLiteral("El registro ya no está como se leyó: otro usuario lo cambió o lo borró"));
}

// The statement of one row; `placeholder` gives the text of each value's parameter, in the values' order.
QString ChangeWriter::statementText(const StatementKey& key, const std::function<QString()>& placeholder) {
    RecordSet& set = *key.set;
    const Target& target = targets_.at(key.set);
    const auto column = [&](int field) { return quoted(set.field(field).column()); };

    QStringList columns;
    QStringList values;
    for (int field : key.columns) {
        columns << column(field);
        values << placeholder();
    }
    QStringList conditions;
    for (int entry : key.where)
        conditions << (entry < 0 ? column(-entry - 1) + u" IS NULL"_s
                                 : column(entry) + u" = "_s + placeholder());
    // Without a key the search may match twins: only one row is to change.
    const QString where =
        u" WHERE "_s + conditions.join(u" AND "_s) + (target.key.empty() ? u" ROWS 1"_s : QString());

    switch (key.kind) {
    case UpdateKind::Insert:
        if (key.columns.empty())
            return u"INSERT INTO "_s + quoted(target.table) + u" DEFAULT VALUES"_s;
        return u"INSERT INTO "_s + quoted(target.table) + u" ("_s + columns.join(u", "_s) + u") VALUES ("_s +
               values.join(u", "_s) + u')';
    case UpdateKind::Modify:
        for (qsizetype i = 0; i < columns.size(); ++i)
            columns[i] += u" = "_s + values[i];
        return u"UPDATE "_s + quoted(target.table) + u" SET "_s + columns.join(u", "_s) + where;
    case UpdateKind::Delete:
        return u"DELETE FROM "_s + quoted(target.table) + where;
    }
    return {};
}

} // namespace quelmaro
