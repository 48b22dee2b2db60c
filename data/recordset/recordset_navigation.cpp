// Which rows a record set shows and where its cursor stands: moving, filter, locate, aggregates, and the
// nested sets following the current row.
#include "data/recordset/recordset.h"

#include "data/recordset/error.h"

namespace quelmaro {

RowNode* RecordSet::currentRow() const {
    return current_ >= 0 ? visible_[current_] : nullptr;
}

bool RecordSet::passesFilter(const RowNode& row) const {
    return !filtered_ || filterField_ < 0 || filterRule_->passes(row.values[filterField_]);
}

void RecordSet::rebuildVisible() {
    visible_.clear();
    if (table_)
        for (const auto& row : table_->rows)
            if (row->status != RowStatus::Deleted && passesFilter(*row))
                visible_.push_back(row.get());
    rowsChanged();
}

void RecordSet::rowsChanged() {
    for (std::optional<Value>& value : aggregateValues_)
        value.reset();
}

// Shows the rows of `table` (a master row's detail rows); stays on the same row when the table is the same.
void RecordSet::showTable(RowTable* table) {
    const bool sameTable = table == table_;
    if (!sameTable && (state_ == RecordSetState::Insert || state_ == RecordSetState::Edit))
        discardEdit();
    const int keep = current_;
    table_ = table;
    rebuildVisible();
    if (sameTable && keep >= 0 && keep < int(visible_.size())) {
        current_ = keep;
        syncDetails();
    } else {
        moveTo(visible_.empty() ? -1 : 0);
    }
}

void RecordSet::syncDetails() {
    RowNode* row = state_ == RecordSetState::Insert ? nullptr : currentRow();
    for (int i = 0; i < detailCount(); ++i)
        details_[i]->showTable(row ? detailTable(*row, i) : nullptr);
}

// Puts the cursor on a shown row (or on none with -1), as first() does.
void RecordSet::moveTo(int index) {
    current_ = index;
    bof_ = true;
    eof_ = index < 0;
    syncDetails();
}

void RecordSet::first() {
    checkBrowseMode();
    moveTo(ensureVisible(0) ? 0 : -1);
}

void RecordSet::next() {
    checkBrowseMode();
    if (current_ < 0)
        return;
    if (ensureVisible(current_ + 1)) {
        ++current_;
        bof_ = eof_ = false;
        syncDetails();
    } else {
        bof_ = false;
        eof_ = true;
    }
}

void RecordSet::prior() {
    checkBrowseMode();
    if (current_ > 0) {
        --current_;
        bof_ = eof_ = false;
        syncDetails();
    } else {
        bof_ = true;
        eof_ = current_ < 0;
    }
}

void RecordSet::last() {
    checkBrowseMode();
    fetchAll();
    current_ = int(visible_.size()) - 1;
    eof_ = true;
    bof_ = current_ < 0;
    syncDetails();
}

bool RecordSet::isEmpty() {
    return !ensureVisible(0);
}

int RecordSet::recordCount() {
    fetchAll();
    return int(visible_.size());
}

bool RecordSet::locate(const QString& column, const Value& value) {
    checkBrowseMode();
    const Field& target = field(column);
    Value wanted;
    try {
        wanted = target.converted(value);
    } catch (const ConversionError&) {
        return false; // a value the field cannot hold is in no row
    }
    for (int i = 0; ensureVisible(i); ++i) {
        if (visible_[i]->values[target.index()] == wanted) {
            current_ = i;
            bof_ = eof_ = false;
            syncDetails();
            return true;
        }
    }
    return false;
}

void RecordSet::setFilter(const QString& text) {
    std::optional<Filter> rule;
    if (!text.trimmed().isEmpty())
        rule = Filter::parse(text);
    const int fieldIndex = rule && isOpen() ? field(rule->column()).index() : -1;
    filterText_ = text;
    filterRule_ = std::move(rule);
    filterField_ = fieldIndex;
    if (filtered_ && isOpen()) {
        checkBrowseMode();
        rebuildVisible();
        moveTo(ensureVisible(0) ? 0 : -1);
    }
}

void RecordSet::setFiltered(bool filtered) {
    if (filtered == filtered_)
        return;
    if (isOpen())
        checkBrowseMode();
    filtered_ = filtered;
    if (isOpen()) {
        rebuildVisible();
        moveTo(ensureVisible(0) ? 0 : -1);
    }
}

void RecordSet::addAggregate(const QString& name, const QString& expression) {
    SumAggregate aggregate(name, expression);
    if (isOpen()) {
        aggregateFields_.push_back(field(aggregate.fieldName()).index());
        aggregateValues_.emplace_back();
    }
    aggregates_.push_back(std::move(aggregate));
}

Value RecordSet::aggregate(const QString& name) {
    for (std::size_t i = 0; i < aggregates_.size(); ++i) {
        if (aggregates_[i].name().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (!isOpen())
            return {};
        // Inside a fetch or a row calculation the sum covers the rows stored so far.
        if (!fetching_ && !calculating_)
            fetchAll();
        if (!aggregateValues_[i])
            aggregateValues_[i] = aggregates_[i].value(visible_, aggregateFields_[i]);
        return *aggregateValues_[i];
    }
    throw RecordSetError(QStringLiteral("No existe el agregado '%1'").arg(name));
}

} // namespace quelmaro
