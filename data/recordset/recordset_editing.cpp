// Reading and writing field values, and the insert / edit / post / cancel / delete cycle of a record set.
#include "data/recordset/recordset.h"

#include "data/recordset/error.h"
#include "data/types/errors.h"

#include <algorithm>

namespace quelmaro {

namespace {

bool isEditing(RecordSetState state) {
    return state == RecordSetState::Insert || state == RecordSetState::Edit;
}

} // namespace

Value RecordSet::valueAt(int index) const {
    if (calculating_)
        return (*calculating_)[index];
    if (isEditing(state_))
        return buffer_[index];
    const RowNode* row = currentRow();
    return row ? row->values[index] : Value();
}

void RecordSet::setValueAt(int index, const Value& value) {
    const Field& target = *fields_[index];
    if (calculating_) {
        if (!target.isCalculated())
            throw RecordSetError(
                QStringLiteral("El campo '%1' no se puede modificar al calcular").arg(target.name()));
        (*calculating_)[index] = value;
        return;
    }
    if (!isEditing(state_))
        throw RecordSetError(QStringLiteral("%1: el conjunto no está editando ni insertando").arg(name()));
    buffer_[index] = value;
    modified_ = true;
    const auto handler = fieldChange_.constFind(target.name().toUpper());
    if (handler != fieldChange_.cend())
        (*handler)(*this);
}

void RecordSet::setFieldChangeHandler(const QString& field, Handler handler) {
    fieldChange_.insert(field.toUpper(), std::move(handler));
}

void RecordSet::requireOpen() const {
    if (!isOpen())
        throw RecordSetError(QStringLiteral("%1: el conjunto de registros está cerrado").arg(name()));
}

RowNode& RecordSet::requireCurrentRow() const {
    requireOpen();
    if (RowNode* row = currentRow())
        return *row;
    throw RecordSetError(QStringLiteral("%1: no hay registro actual").arg(name()));
}

// Runs a post, edit or delete; on failure asks the set's handler whether to cancel silently.
template <typename Operation> void RecordSet::guarded(const ErrorHandler& handler, Operation&& operation) {
    try {
        operation();
    } catch (const OperationAborted&) {
        throw;
    } catch (const std::exception& error) {
        if (handler && handler(*this, error) == ErrorAction::Abort)
            throw OperationAborted();
        throw;
    }
}

void RecordSet::append() {
    requireOpen();
    if (master_) {
        // A detail row belongs to a stored master row.
        if (master_->state_ == RecordSetState::Insert)
            master_->post();
        if (!master_->currentRow())
            throw RecordSetError(QStringLiteral("%1: no hay registro maestro para el detalle").arg(name()));
    }
    checkBrowseMode();
    fetchAll();
    buffer_ = RowValues(fieldCount());
    for (const auto& [own, masters] : linkFields_)
        buffer_[own] = master_->valueAt(masters);
    state_ = RecordSetState::Insert;
    modified_ = false;
    syncDetails();
    if (afterInsert_)
        afterInsert_(*this);
}

void RecordSet::edit() {
    guarded(editError_, [this] {
        if (isEditing(state_))
            return;
        buffer_ = requireCurrentRow().values;
        state_ = RecordSetState::Edit;
        modified_ = false;
    });
}

void RecordSet::post() {
    guarded(postError_, [this] {
        if (!isEditing(state_))
            return;
        for (const auto& detail : details_)
            detail->checkBrowseMode();
        checkRequired();
        calculateRow(buffer_);
        storeEdit();
    });
}

void RecordSet::checkRequired() const {
    for (int i = 0; i < dataFieldCount_; ++i)
        if (fields_[i]->isRequired() && buffer_[i].isNull())
            throw RecordSetError(QStringLiteral("Field '%1' must have a value").arg(fields_[i]->name()));
}

void RecordSet::storeEdit() {
    RowNode* row = nullptr;
    if (state_ == RecordSetState::Insert) {
        auto inserted = std::make_unique<RowNode>();
        inserted->values = std::move(buffer_);
        inserted->status = RowStatus::Inserted;
        inserted->details.resize(details_.size());
        for (auto& details : inserted->details)
            details = std::make_unique<RowTable>();
        row = inserted.get();
        table_->rows.push_back(std::move(inserted));
        // Appending fetched every row first, so the new row is also the last one shown.
        if (passesFilter(*row)) {
            visible_.push_back(row);
            current_ = int(visible_.size()) - 1;
        }
    } else {
        row = currentRow();
        if (row->status == RowStatus::Unchanged) {
            row->original = row->values;
            row->status = RowStatus::Modified;
        }
        row->values = std::move(buffer_);
        if (!passesFilter(*row)) {
            visible_.erase(visible_.begin() + current_);
            current_ = std::min(current_, int(visible_.size()) - 1);
        }
    }
    buffer_.clear();
    state_ = RecordSetState::Browse;
    modified_ = false;
    rowsChanged();
    bof_ = eof_ = current_ < 0;
    syncDetails();
}

void RecordSet::discardEdit() {
    if (!isEditing(state_))
        return;
    buffer_.clear();
    state_ = RecordSetState::Browse;
    modified_ = false;
}

void RecordSet::cancel() {
    if (!isEditing(state_))
        return;
    discardEdit();
    syncDetails();
}

void RecordSet::checkBrowseMode() {
    for (const auto& detail : details_)
        detail->checkBrowseMode();
    if (!isEditing(state_))
        return;
    if (modified_)
        post();
    else
        cancel();
}

void RecordSet::remove() {
    guarded(deleteError_, [this] {
        if (state_ == RecordSetState::Insert) {
            cancel();
            return;
        }
        for (const auto& detail : details_)
            detail->checkBrowseMode();
        discardEdit();
        RowNode* row = &requireCurrentRow();
        for (int i = 0; i < detailCount(); ++i)
            for (const auto& detailRow : detailTable(*row, i)->rows)
                if (detailRow->status != RowStatus::Deleted)
                    throw RecordSetError(QStringLiteral("Cannot delete master record with details"));

        visible_.erase(visible_.begin() + current_);
        if (row->status == RowStatus::Inserted) {
            std::erase_if(table_->rows, [row](const auto& stored) { return stored.get() == row; });
        } else {
            if (row->status == RowStatus::Unchanged)
                row->original = row->values;
            row->status = RowStatus::Deleted;
        }
        rowsChanged();
        if (ensureVisible(current_)) {
            bof_ = eof_ = false;
        } else {
            // The last row went: stand on the new last one.
            current_ = int(visible_.size()) - 1;
            eof_ = true;
            bof_ = current_ < 0;
        }
        syncDetails();
    });
}

} // namespace quelmaro
