#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/row.h"

#include <QList>
#include <QString>

#include <compare>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace quelmaro::fb {
class Connection;
class Statement;
class Transaction;
} // namespace quelmaro::fb

namespace quelmaro {

class RecordSet;

// Writes the pending changes of a record set and its nested sets inside one transaction. A master row is
// written before its detail rows, except a deleted master, which goes after them. The rows go to the server
// in batches, each one parameterised EXECUTE BLOCK running the rows' statements in order; when a batch
// fails, its rows are run again one by one, so the error is the database's own for the row that caused it.
// The batches are cut in change_batches.cpp. Changes that fit one batch and only insert go in the
// connection's autocommit transaction, the block being all or nothing by itself; the others in a
// transaction of their own.
class ChangeWriter {
public:
    explicit ChangeWriter(fb::Connection& connection);
    ~ChangeWriter();

    // Throws the first row's error, with nothing written; failedSet() and failedKind() then name that row.
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
    // One row's change, as it will be written.
    struct Change {
        StatementKey key;
        QList<Value> values;      // for the columns, then for the compared fields
        std::vector<int> fields;  // the field of each value
        bool mustFindRow = false; // an update or delete that finds no row fails
    };
    using Changes = std::vector<Change>::const_iterator;
    // Consecutive changes of one statement, written by a block with room for `capacity` of them: blocks of
    // the same shape have the same text whatever their number of rows, so each is prepared once.
    struct Run {
        Changes first;
        Changes last;
        int capacity;
    };

    void collect(RecordSet& set, RowTable& rows);
    void collectRow(RecordSet& set, RowNode& row);
    void insert(RecordSet& set, const RowNode& row);
    void update(RecordSet& set, const RowNode& row);
    void remove(RecordSet& set, const RowNode& row);
    Target& target(RecordSet& set);
    const std::vector<int>& keyOf(RecordSet& set);
    std::vector<int> whereFields(RecordSet& set, const RowNode& row, Change& change);

    std::vector<std::vector<Run>> batches() const;
    bool writeAlone(const std::vector<Run>& runs);
    void writeInTransaction(const std::vector<std::vector<Run>>& batches);
    void use(fb::Transaction& transaction);
    void rethrowLockConflict(const std::exception& error, const std::vector<Run>& runs);
    void writeBatch(const std::vector<Run>& runs);
    std::optional<Changes> runBatch(const std::vector<Run>& runs);
    void writeOne(const Change& change);
    void failAt(const Change& change);
    QString statementText(const StatementKey& key, const std::function<QString()>& placeholder);
    QString blockText(const std::vector<Run>& runs);
    static QString quoted(QString name);

    fb::Connection& connection_;
    fb::Transaction* transaction_ = nullptr; // where the statements run now
    std::map<const RecordSet*, Target> targets_;
    std::map<StatementKey, std::unique_ptr<fb::Statement>> statements_;
    std::vector<Change> changes_;
    RecordSet* current_ = nullptr;
    UpdateKind currentKind_ = UpdateKind::Insert;
};

} // namespace quelmaro
