#include "transmission/steps/document_copy.h"

#include "data/recordset/recordset.h"

namespace quelmaro {

void copyByPosition(const fb::Row& row, RecordSet& target) {
    for (int i = 0; i < target.fieldCount() && i < row.size(); ++i) {
        Field& field = target.field(i);
        if (field.isCalculated())
            continue;
        if (field.type() == fb::ColumnType::Fixed)
            field.setValue(row.at(i).toFixed());
        else
            field.setValue(row.at(i));
    }
}

NestedRowsReplacement::NestedRowsReplacement(RecordSet& rows, const QString& itemField,
                                             const QString& linkField)
    : rows_(rows), itemField_(itemField), linkField_(linkField) {}

void NestedRowsReplacement::copy(const fb::Row& originRow, const Value& headerKey) {
    // Positional copy: the item sits in the origin row where the field sits in the nested set.
    const Value item = originRow.value(rows_.field(itemField_).index());
    if (!item.isNull() && rows_.locate(itemField_, item))
        rows_.edit();
    else
        rows_.append();
    copyByPosition(originRow, rows_);
    rows_.setValue(linkField_, headerKey);
}

void NestedRowsReplacement::store() {
    rows_.post();
    stored_.insert(rows_.field(itemField_).asString());
}

void NestedRowsReplacement::drop() {
    rows_.cancel();
}

void NestedRowsReplacement::finish() {
    rows_.first();
    while (!rows_.eof()) {
        if (stored_.contains(rows_.field(itemField_).asString()))
            rows_.next();
        else
            rows_.remove(); // stands on the following row
    }
}

} // namespace quelmaro
