#include "transmission/steps/lookup.h"

#include "data/fb/connection.h"
#include "data/recordset/recordset.h"
#include "platform/messages.h"

#include <QSet>

#include <algorithm>
#include <bit>

namespace quelmaro {

namespace {

QString articleKey(const Value& article) {
    QString key = article.toString();
    while (key.endsWith(u' '))
        key.chop(1);
    return key;
}

// Well below the server's limit on the values of an IN list.
constexpr qsizetype kArticlesPerLookup = 1024;

} // namespace

TaxRates::TaxRates(fb::Connection& destination, const QList<Value>& articles) {
    QList<Value> distinct;
    QSet<QString> seen;
    for (const Value& article : articles) {
        if (!article.isNull() && !seen.contains(articleKey(article))) {
            seen.insert(articleKey(article));
            distinct << article;
        }
    }
    for (qsizetype from = 0; from < distinct.size(); from += kArticlesPerLookup) {
        QList<Value> some = distinct.mid(from, kArticlesPerLookup);
        // Lists of a few lengths only, the last article repeated, so each statement is prepared once.
        const auto length = std::max<qsizetype>(16, qsizetype(std::bit_ceil(std::size_t(some.size()))));
        while (some.size() < length)
            some << some.last();
        const fb::QueryResult found = destination.read(
            QStringLiteral(
                "select arti_cod, taiv_porc from articulo a, tarifa_iva t where a.taiv_cod = t.taiv_cod "
                "and arti_cod in (") +
                QStringList(length, QStringLiteral("?")).join(QStringLiteral(", ")) + QLatin1Char(')'),
            some);
        for (const fb::Row& row : found.rows) {
            if (!rates_.contains(articleKey(row.value(0))))
                rates_.insert(articleKey(row.value(0)), row.value(1));
        }
    }
}

Value TaxRates::of(const Value& article) const {
    return article.isNull() ? Value() : rates_.value(articleKey(article));
}

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
