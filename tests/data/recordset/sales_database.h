#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "tests/support/server_database.h"

#include <gtest/gtest.h>

namespace quelmaro::test {

// A database on the server with invoices, their lines and payments (keys and foreign keys), a table without a
// primary key, and the data sets of a data module over them: TFactura with its details TFacturadetalle and
// TFacturapago, read through the provider PFactura.
//   invoice 1: lines 1 and 2, one payment; invoice 2: nothing under it; invoice 3: line 1.
class SalesDatabase : public testing::Test {
protected:
    SalesDatabase();

    fb::Connection& connection() { return db.connection(); }
    void execute(const QString& sql, const QList<Value>& params = {});
    // The first column of the first row.
    Value scalar(const QString& sql, const QList<Value>& params = {});
    std::int64_t count(const QString& table) {
        return scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
    // Makes `invoices` read through PFactura, which gives it its nested sets.
    RecordSet& overProvider(RecordSet& invoices);

    ServerDatabase db; // through the server, where the rows go in batches
    Query facturas{QStringLiteral("TFactura"), db.connection()};
    Query lineas{QStringLiteral("TFacturadetalle"), db.connection()};
    Query pagos{QStringLiteral("TFacturapago"), db.connection()};
    Provider provider{QStringLiteral("PFactura"), facturas};
};

} // namespace quelmaro::test
