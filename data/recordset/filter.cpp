#include "data/recordset/filter.h"

#include "data/recordset/error.h"

#include <QRegularExpression>

namespace quelmaro {

Filter Filter::parse(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z0-9_$]*)\s*=\s*([+-]?\d{1,18})\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        throw RecordSetError(QStringLiteral("Filtro no admitido: %1").arg(text));
    Filter filter;
    filter.column_ = match.captured(1);
    filter.number_ = match.captured(2).toLongLong();
    return filter;
}

bool Filter::passes(const Value& value) const {
    if (value.isNull())
        return false;
    if (const auto* integer = std::get_if<std::int64_t>(&value.storage()))
        return *integer == number_;
    try {
        return value.toFixed() == Fixed::fromInt(number_);
    } catch (const ConversionError&) {
        return false;
    }
}

} // namespace quelmaro
