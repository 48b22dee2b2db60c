#pragma once

#include "data/recordset/aggregate.h"
#include "data/recordset/field.h"
#include "data/recordset/filter.h"
#include "data/recordset/named_parameters.h"
#include "data/recordset/provider.h"
#include "data/recordset/row.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quelmaro::fb {
class Connection;
class Cursor;
struct Column;
} // namespace quelmaro::fb

namespace quelmaro {

class Query;
class ChangeWriter;

enum class RecordSetState { Inactive, Browse, Insert, Edit };

// What a post, edit or delete error handler wants done with the failed operation: Abort cancels it
// silently (OperationAborted), Fail lets the error go on.
enum class ErrorAction { Abort, Fail };

// Rows of a query held in memory, filled through a provider and written back through it in one batch.
// Fields keep the order of the statement's columns (or of their declaration), calculated fields last.
// Each detail query of the provider's query becomes a nested record set, named like the query, that shows
// the rows under the current row of this one.
class RecordSet : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(RecordSet&)>;
    using ErrorHandler = std::function<ErrorAction(RecordSet&, const std::exception&)>;

    explicit RecordSet(const QString& name, QObject* parent = nullptr);
    ~RecordSet() override;

    QString name() const { return objectName(); }

    // --- Where the rows come from (set before opening)
    // Also creates the nested sets for the query's details, so they can be set up before opening.
    void setProvider(Provider* provider);
    Provider* provider() const; // a nested set answers its master's
    // Replaces the query's statement; run unchanged, so the provider must accept statements.
    void setCommandText(const QString& sql) { commandText_ = sql; }
    const QString& commandText() const { return commandText_; }
    // Takes the query's parameters with their defaults.
    void fetchParameters();
    void setParameter(const QString& name, const Value& value);
    Value parameter(const QString& name) const;
    // Rows fetched per request: -1 for all at once. More are fetched when the cursor moves past them.
    void setPacketRecords(int count);
    int packetRecords() const { return packetRecords_; }

    // --- Fields
    // Declared data fields replace the statement's columns: only they are kept, in declaration order.
    void declareField(const FieldDef& def);
    // Filled by the calculate handler; stored with the row, never written to the database.
    void declareCalculatedField(const FieldDef& def);
    int fieldCount() const { return int(fields_.size()); }
    Field& field(int index) { return *fields_.at(index); }
    Field& field(const QString& name); // case-insensitive; throws RecordSetError when absent
    Field* findField(const QString& name);
    Value value(const QString& name) { return field(name).value(); }
    void setValue(const QString& name, const Value& value) { field(name).setValue(value); }

    // --- Sums over the rows shown
    void addAggregate(const QString& name, const QString& expression);
    // Fetches the rows not fetched yet first.
    Value aggregate(const QString& name);

    // --- Nested sets
    int detailCount() const { return int(details_.size()); }
    RecordSet& detail(int index) { return *details_.at(index); }
    RecordSet& detail(const QString& name); // throws RecordSetError when absent
    RecordSet* master() const { return master_; }

    // --- Opening
    // Runs the statement and fetches the first packet. A nested set opens and closes with its master.
    void open();
    void close();
    bool isOpen() const { return state_ != RecordSetState::Inactive; }
    // Runs the statement when it returns no rows (an insert, a procedure), in a transaction of its own.
    void execute();
    RecordSetState state() const { return state_; }

    // --- Moving (a pending insert or edit is posted first)
    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    int recordCount();                            // rows shown; fetches the rest first
    int currentIndex() const { return current_; } // from 0; -1 without rows
    int fetchedRowCount() const { return fetchedRows_; }
    // Moves to the first row whose field equals `value` exactly (text case-sensitive). When none does,
    // the cursor stays where it was and the answer is false.
    bool locate(const QString& column, const Value& value);

    // --- Filter "<column> = <integer>"
    void setFilter(const QString& text);
    const QString& filter() const { return filterText_; }
    void setFiltered(bool filtered);
    bool isFiltered() const { return filtered_; }

    // --- Editing
    // A detail row gets the master's key in its link columns; a master still being inserted is posted first.
    void append();
    void edit();
    // Stores the row; a required field without value fails with "Field '<NAME>' must have a value".
    void post();
    void cancel();
    // Deletes the current row; a master row with detail rows is refused.
    void remove();

    // --- Pending changes
    // Writes all pending inserts, updates and deletes of this set and its nested sets in one transaction.
    // The first failing row rolls everything back and goes to the provider's update-error handler (without
    // one, the error is thrown). Returns the number of rows that failed: 0 or 1.
    int applyUpdates();
    // Drops every pending change, back to the last applied state.
    void cancelUpdates();
    int changeCount() const;
    bool hasPendingChanges() const { return changeCount() > 0; }

    // --- Events
    void setAfterInsertHandler(Handler handler) { afterInsert_ = std::move(handler); }
    // Runs after the field's value was set while inserting or editing.
    void setFieldChangeHandler(const QString& field, Handler handler);
    // Runs once for each row as it is fetched or posted, with that row current; it sets calculated fields.
    void setCalculateHandler(Handler handler) { calculate_ = std::move(handler); }
    // Fetches all rows, then runs the calculate handler on each once, in fetch order, with the aggregates
    // complete. Setting the handler after open() and then calling this calculates every row exactly once.
    void recalculate();
    void setPostErrorHandler(ErrorHandler handler) { postError_ = std::move(handler); }
    void setEditErrorHandler(ErrorHandler handler) { editError_ = std::move(handler); }
    void setDeleteErrorHandler(ErrorHandler handler) { deleteError_ = std::move(handler); }

private:
    friend class Field;
    friend class ChangeWriter;

    RecordSet(const QString& name, RecordSet& master, Query& query);
    void createDetails(const Query& query);
    RecordSet& root();
    PositionalStatement sourceStatement(QList<Value>& parameters) const;
    Provider& requireProvider() const;
    fb::Connection& connection() const;

    // Fields
    void setupFields(const QList<fb::Column>& columns);
    void addField(const FieldDef& def, bool calculated);
    void resolveFieldUses();
    Value valueAt(int index) const;
    void setValueAt(int index, const Value& value);
    bool isKeyField(const Field& field);
    QStringList keyColumns(const QString& table);
    QString updateTable() const;

    // Fetching
    void prepareNested();
    std::unique_ptr<RowNode> makeRow(RowValues&& fetched);
    void calculateRow(RowValues& values);
    void fetchRows(int count);
    void fetchAll() { fetchRows(-1); }
    bool ensureVisible(int index);
    std::unique_ptr<RowTable> fetchDetailRows(const RowNode& masterRow);
    RowTable* detailTable(RowNode& row, int detail);

    // Showing
    RowNode* currentRow() const;
    bool passesFilter(const RowNode& row) const;
    void rebuildVisible();
    void showTable(RowTable* table);
    void syncDetails();
    void moveTo(int index);
    void rowsChanged();

    // Editing
    void requireOpen() const;
    RowNode& requireCurrentRow() const;
    void checkBrowseMode();
    void discardEdit();
    void checkRequired() const;
    void storeEdit();
    template <typename Operation> void guarded(const ErrorHandler& handler, Operation&& operation);

    // Changes
    void revert(RowTable& table);
    static int countChanges(const RowTable& table);
    static void markApplied(RowTable& table);
    void cancelEdits();

    // Source
    QPointer<Provider> provider_;
    QString commandText_;
    QHash<QString, Value> parameters_;
    int packetRecords_ = -1;

    // Nesting
    RecordSet* master_ = nullptr;
    Query* detailQuery_ = nullptr;
    std::vector<int> linkParameterFields_;        // master field for each "?" of the detail statement
    std::vector<std::pair<int, int>> linkFields_; // (this set's field, master's field)
    std::vector<std::unique_ptr<RecordSet>> details_;

    // Fields
    std::vector<FieldDef> declaredData_;
    std::vector<FieldDef> declaredCalculated_;
    std::vector<std::unique_ptr<Field>> fields_;
    QHash<QString, int> fieldIndex_;
    int dataFieldCount_ = 0;
    std::vector<int> columnOfField_; // position in the fetched row of each data field
    bool fetchedAsStored_ = true;    // fetched rows need no reordering or conversion
    QHash<QString, QStringList> keyColumns_;

    // Rows
    std::unique_ptr<fb::Cursor> cursor_;
    RowTable ownRows_;
    RowTable* table_ = nullptr;
    std::vector<RowNode*> visible_;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    int fetchedRows_ = 0;
    bool fetching_ = false;
    bool calculationDeferred_ = false;

    // Editing
    RecordSetState state_ = RecordSetState::Inactive;
    RowValues buffer_;
    bool modified_ = false;
    RowValues* calculating_ = nullptr;

    // Filter and aggregates
    QString filterText_;
    std::optional<Filter> filterRule_;
    bool filtered_ = false;
    int filterField_ = -1;
    std::vector<SumAggregate> aggregates_;
    std::vector<int> aggregateFields_;
    std::vector<std::optional<Value>> aggregateValues_;

    // Events
    Handler afterInsert_;
    QHash<QString, Handler> fieldChange_;
    Handler calculate_;
    ErrorHandler postError_;
    ErrorHandler editError_;
    ErrorHandler deleteError_;
};

} // namespace quelmaro
