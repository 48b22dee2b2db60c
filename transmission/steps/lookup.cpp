#include "transmission/steps/lookup.h"

#include "data/fb/connection.h"
#include "data/recordset/recordset.h"
#include "platform/messages.h"

namespace quelmaro {

Value firstValue(fb::Connection& connection, const QString& sql, const QList<Value>& params) {
    const fb::QueryResult result = connection.read(sql, params);
    if (result.rows.isEmpty() || result.rows.first().isEmpty())
        return {};
    return result.rows.first().first();
}

QString firstText(fb::Connection& connection, const QString& sql, const QList<Value>& params,
                  const QString& fallback) {
    const QString text = firstValue(connection, sql, params).toString();
    return text.isEmpty() ? fallback : text;
}

Value newKey(fb::Connection& destination, const char* procedure) {
    return destination.execute(QStringLiteral("execute procedure ") + QLatin1String(procedure)).value(0);
}

bool applyOrDiscard(RecordSet& header, const QString& failureMessage) {
    if (header.applyUpdates() == 0)
        return true;
    platform::messages().information(failureMessage);
    header.cancelUpdates();
    return false;
}

} // namespace quelmaro
