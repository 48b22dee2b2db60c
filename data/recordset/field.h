#pragma once

#include "data/fb/column.h"
#include "data/types/value.h"

#include <QString>

namespace quelmaro {

class RecordSet;

// How a field is declared: name, kind, width, decimals, whether a row may be stored without it.
struct FieldDef {
    QString name;
    fb::ColumnType type = fb::ColumnType::Text;
    int size = 0;  // characters for text, 0 for no limit
    int scale = 4; // decimals kept by a Fixed field
    bool required = false;
};

// One field of a record set; reads and writes the record set's current row.
class Field {
public:
    Field(RecordSet& owner, int index, const FieldDef& def, bool calculated);

    const QString& name() const { return def_.name; }
    fb::ColumnType type() const { return def_.type; }
    int size() const { return def_.size; }
    int scale() const { return def_.scale; }
    bool isRequired() const { return def_.required; }
    bool isCalculated() const { return calculated_; }
    int index() const { return index_; }
    // Belongs to the primary key of the table the record set writes to.
    bool isKey() const;

    // Where the value is written: the table and column of the statement's result, empty for expressions.
    const QString& table() const { return table_; }
    const QString& column() const { return column_; }
    void setOrigin(const QString& table, const QString& column);

    Value value() const;
    bool isNull() const { return value().isNull(); }
    // Converts to the field's kind, cuts text to the field's width and rounds decimals to its scale.
    void setValue(const Value& value);
    void clear() { setValue(Value()); }

    QString asString() const { return value().toString(); }
    std::int64_t asInt() const { return value().toInt(); }
    Fixed asFixed() const { return value().toFixed(); }
    QDate asDate() const { return value().toDate(); }

    // `value` as this field's kind, without cutting or rounding; throws ConversionError.
    Value converted(const Value& value) const;
    // What setValue stores for `value`.
    Value stored(const Value& value) const;

private:
    RecordSet& owner_;
    int index_;
    FieldDef def_;
    bool calculated_;
    QString table_;
    QString column_;
};

} // namespace quelmaro
