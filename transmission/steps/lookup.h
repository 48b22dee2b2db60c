#pragma once

#include "data/types/value.h"

#include <QHash>
#include <QList>
#include <QString>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro {

class RecordSet;

// The first column of the first row of a lookup (a select that only reads, run in a read-only
// transaction); null when it returns no row.
Value firstValue(fb::Connection& connection, const QString& sql, const QList<Value>& params = {});

// The first column as text, or `fallback` when there is no row or the value is empty.
QString firstText(fb::Connection& connection, const QString& sql, const QList<Value>& params,
                  const QString& fallback);

// The tax rates of articles, read for all of them at once: a lookup per article would cost a round trip each
// over a slow link.
class TaxRates {
public:
    TaxRates(fb::Connection& destination, const QList<Value>& articles);
    // Null for an article without a tax rate in the destination.
    Value of(const Value& article) const;

private:
    QHash<QString, Value> rates_; // by code without trailing spaces, which "=" ignores too
};

// A new key from one of the destination's key procedures (CAMBIE_ID_FACTURA ...): its output ID.
Value newKey(fb::Connection& destination, const char* procedure);

// Writes a document built in `header` and its nested sets in one batch. When a row fails (the data module
// has reported it), shows `failureMessage` and discards the document; true when it was written.
bool applyOrDiscard(RecordSet& header, const QString& failureMessage);

} // namespace quelmaro
