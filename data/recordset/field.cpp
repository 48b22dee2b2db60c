#include "data/recordset/field.h"

#include "data/recordset/recordset.h"

namespace quelmaro {

using fb::ColumnType;

Field::Field(RecordSet& owner, int index, const FieldDef& def, bool calculated)
    : owner_(owner), index_(index), def_(def), calculated_(calculated) {}

bool Field::isKey() const {
    return owner_.isKeyField(*this);
}

void Field::setOrigin(const QString& table, const QString& column) {
    table_ = table;
    column_ = column;
}

Value Field::value() const {
    return owner_.valueAt(index_);
}

void Field::setValue(const Value& value) {
    owner_.setValueAt(index_, stored(value));
}

Value Field::converted(const Value& value) const {
    if (value.isNull())
        return value;
    const auto* text = std::get_if<QString>(&value.storage());
    if (def_.type == ColumnType::Text || def_.type == ColumnType::TextBlob)
        return text ? value : Value(value.toString());
    // An empty text clears a field of any other kind.
    if (text && text->isEmpty())
        return {};
    switch (def_.type) {
    case ColumnType::Integer:
    case ColumnType::Boolean:
        return value.toInt();
    case ColumnType::Fixed:
    case ColumnType::Double:
        return value.toFixed();
    case ColumnType::Date:
        return value.toDate();
    case ColumnType::Time:
        return value.toTime();
    case ColumnType::Timestamp:
        return value.toDateTime();
    case ColumnType::Blob:
        return value.toBytes();
    case ColumnType::Text:
    case ColumnType::TextBlob:
        break;
    }
    return value;
}

Value Field::stored(const Value& value) const {
    Value result = converted(value);
    if (const auto* text = std::get_if<QString>(&result.storage())) {
        if (def_.type == ColumnType::Text && def_.size > 0 && text->size() > def_.size)
            return text->left(def_.size);
    } else if (const auto* number = std::get_if<Fixed>(&result.storage())) {
        // Keep what the column will hold, so sums over the rows match what is written.
        if (def_.scale < Fixed::kScale)
            return number->rounded(std::max(def_.scale, 0));
    }
    return result;
}

} // namespace quelmaro
