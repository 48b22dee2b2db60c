#include "data/recordset/change_writer.h"

#include "data/fb/statement.h"
#include "data/recordset/error.h"
#include "data/recordset/recordset.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

QString quoted(QString name) {
    return u'"' + name.replace(u'"', u"\"\""_s) + u'"';
}

// Values that "=" cannot find reliably (large objects, floating point) are left out of a row's search.
bool comparable(const Field& field) {
    return field.type() != fb::ColumnType::Blob && field.type() != fb::ColumnType::TextBlob &&
           field.type() != fb::ColumnType::Double;
}

} // namespace

ChangeWriter::ChangeWriter(fb::Transaction& transaction) : transaction_(transaction) {}

ChangeWriter::~ChangeWriter() = default;

void ChangeWriter::write(RecordSet& set, RowTable& rows) {
    for (const auto& row : rows.rows) {
        const bool deleted = row->status == RowStatus::Deleted;
        if (!deleted)
            writeRow(set, *row);
        for (std::size_t i = 0; i < row->details.size(); ++i)
            if (row->details[i])
                write(set.detail(int(i)), *row->details[i]);
        if (deleted)
            writeRow(set, *row);
    }
}

void ChangeWriter::writeRow(RecordSet& set, RowNode& row) {
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
    StatementKey key{&set, UpdateKind::Insert, {}, {}};
    QList<Value> values;
    for (int field : target(set).columns) {
        if (!row.values[field].isNull()) {
            key.columns.push_back(field);
            values << row.values[field];
        }
    }
    run(key, values, false);
}

void ChangeWriter::update(RecordSet& set, const RowNode& row) {
    StatementKey key{&set, UpdateKind::Modify, {}, {}};
    QList<Value> values;
    for (int field : target(set).columns) {
        if (row.values[field] != row.original[field]) {
            key.columns.push_back(field);
            values << row.values[field];
        }
    }
    if (key.columns.empty())
        return;
    key.where = whereFields(set, row, values);
    run(key, values, true);
}

void ChangeWriter::remove(RecordSet& set, const RowNode& row) {
    StatementKey key{&set, UpdateKind::Delete, {}, {}};
    QList<Value> values;
    key.where = whereFields(set, row, values);
    run(key, values, true);
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

// The fields that find the row as the database holds it; their original values are added to `values`.
std::vector<int> ChangeWriter::whereFields(RecordSet& set, const RowNode& row, QList<Value>& values) {
    std::vector<int> where;
    const std::vector<int>& key = keyOf(set);
    for (int field : key.empty() ? target(set).columns : key) {
        const Value& original = row.original[field];
        if (original.isNull()) {
            where.push_back(-(field + 1));
        } else if (!key.empty() || comparable(set.field(field))) {
            where.push_back(field);
            values << original;
        }
    }
    if (where.empty())
        throw RecordSetError(
            QStringLiteral("%1: ninguna columna identifica la fila a escribir").arg(set.name()));
    return where;
}

void ChangeWriter::run(const StatementKey& key, const QList<Value>& values, bool mustFindRow) {
    std::unique_ptr<fb::Statement>& statement = statements_[key];
    if (!statement)
        statement = std::make_unique<fb::Statement>(transaction_, statementText(key));
    statement->execute(values);
    if (mustFindRow && statement->affectedRows() == 0)
        throw RecordSetError(
            QStringLiteral("El registro ya no está como se leyó: otro usuario lo cambió o lo borró"));
}

QString ChangeWriter::statementText(const StatementKey& key) {
    RecordSet& set = *key.set;
    const Target& target = targets_.at(key.set);
    const auto column = [&](int field) { return quoted(set.field(field).column()); };

    QStringList conditions;
    for (int entry : key.where)
        conditions << (entry < 0 ? column(-entry - 1) + u" IS NULL"_s : column(entry) + u" = ?"_s);
    // Without a key the search may match twins: only one row is to change.
    const QString where =
        u" WHERE "_s + conditions.join(u" AND "_s) + (target.key.empty() ? u" ROWS 1"_s : QString());

    QStringList columns;
    switch (key.kind) {
    case UpdateKind::Insert:
        if (key.columns.empty())
            return u"INSERT INTO "_s + quoted(target.table) + u" DEFAULT VALUES"_s;
        for (int field : key.columns)
            columns << column(field);
        return u"INSERT INTO "_s + quoted(target.table) + u" ("_s + columns.join(u", "_s) + u") VALUES ("_s +
               QStringList(columns.size(), u"?"_s).join(u", "_s) + u')';
    case UpdateKind::Modify:
        for (int field : key.columns)
            columns << column(field) + u" = ?"_s;
        return u"UPDATE "_s + quoted(target.table) + u" SET "_s + columns.join(u", "_s) + where;
    case UpdateKind::Delete:
        return u"DELETE FROM "_s + quoted(target.table) + where;
    }
    return {};
}

} // namespace quelmaro
