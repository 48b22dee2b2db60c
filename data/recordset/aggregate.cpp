#include "data/recordset/aggregate.h"

#include "data/recordset/error.h"

#include <QRegularExpression>

#include <optional>

namespace quelmaro {

SumAggregate::SumAggregate(const QString& name, const QString& expression) : name_(name) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*sum\s*\(\s*([A-Za-z_][A-Za-z0-9_$]*)\s*\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(expression);
    if (!match.hasMatch())
        throw RecordSetError(QStringLiteral("Expresión de suma no admitida: %1").arg(expression));
    fieldName_ = match.captured(1);
}

Value SumAggregate::value(const std::vector<RowNode*>& rows, int fieldIndex) const {
    std::optional<Fixed> sum;
    for (const RowNode* row : rows) {
        const Value& value = row->values[fieldIndex];
        if (!value.isNull())
            sum = sum.value_or(Fixed()) + value.toFixed();
    }
    return sum ? Value(*sum) : Value();
}

} // namespace quelmaro
