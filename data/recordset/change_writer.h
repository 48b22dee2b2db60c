#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/row.h"

#include <QString>

#include <compare>
#include <map>
#include <memory>
#include <vector>

namespace quelmaro::fb {
class Statement;
class Transaction;
} // namespace quelmaro::fb

namespace quelmaro {

class RecordSet;

// Writes the pending changes of a record set and its nested sets inside one transaction. A master row is
// written before its detail rows, except a deleted master, which goes after them. Each distinct statement
// (table, kind of change, columns) is prepared once and run with bound values.
class ChangeWriter {
public:
    explicit ChangeWriter(fb::Transaction& transaction);
    ~ChangeWriter();

    // Throws the first row's error; failedSet() and failedKind() then name that row.
    void write(RecordSet& set, RowTable& rows);

    RecordSet* failedSet() const { return current_; }
    UpdateKind failedKind() const { return currentKind_; }

private:
    // What the writer knows of one record set: where it writes and which fields go there.
    struct Target {
        QString table;
        std::vector<int> columns; // data fields of `table`, in field order
        std::vector<int> key;     // fields of the primary key; empty when the rows are found by all values
        bool keyKnown = false;
    };
    // Everything that makes one statement text differ from another.
    struct StatementKey {
        RecordSet* set;
        UpdateKind kind;
        std::vector<int> columns; // fields set or inserted
        std::vector<int> where;   // fields compared; -(field + 1) for "is null"
        auto operator<=>(const StatementKey&) const = default;
    };

    void writeRow(RecordSet& set, RowNode& row);
    void insert(RecordSet& set, const RowNode& row);
    void update(RecordSet& set, const RowNode& row);
    void remove(RecordSet& set, const RowNode& row);
    Target& target(RecordSet& set);
    const std::vector<int>& keyOf(RecordSet& set);
    std::vector<int> whereFields(RecordSet& set, const RowNode& row, QList<Value>& values);
    void run(const StatementKey& key, const QList<Value>& values, bool mustFindRow);
    QString statementText(const StatementKey& key);

    fb::Transaction& transaction_;
    std::map<const RecordSet*, Target> targets_;
    std::map<StatementKey, std::unique_ptr<fb::Statement>> statements_;
    RecordSet* current_ = nullptr;
    UpdateKind currentKind_ = UpdateKind::Insert;
};

} // namespace quelmaro
