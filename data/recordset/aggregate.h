#pragma once

#include "data/recordset/row.h"

#include <QString>

#include <vector>

namespace quelmaro {

// A sum over the rows a record set shows: "sum(vtacontdia)". Null when no row has a value.
class SumAggregate {
public:
    // Throws RecordSetError for anything but "sum(<field>)".
    SumAggregate(const QString& name, const QString& expression);

    const QString& name() const { return name_; }
    const QString& fieldName() const { return fieldName_; }

    // `fieldIndex` is the position of the summed field in each row.
    Value value(const std::vector<RowNode*>& rows, int fieldIndex) const;

private:
    QString name_;
    QString fieldName_;
};

} // namespace quelmaro
