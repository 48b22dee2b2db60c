// The unattended transmission killed at several points and started again, or run twice: every document
// arrives once.
#include "data/fb/connection.h"
#include "data/fb/transaction.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <functional>

namespace quelmaro::test {
namespace {

const QDate kDay{2024, 3, 2};

// A moment of the run seen from the destination: kill once this many rows of `table` exist. With a held
// row, the run cannot pass the statement that waits for it, so the kill falls before that statement: the
// prefix row of a document type blocks the numbering of the next document of that type and prefix.
struct KillPoint {
    const char* table;
    int rows;
    const char* heldPrefix = nullptr; // "<tido_cod>:<pref_pre>" of the prefijos row held, or none
};

struct Scenario {
    const char* name;
    QList<KillPoint> kills; // one run per kill point, then one run to the end
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class KilledRunTest : public testing::Test {
protected:
    std::int64_t count(fb::Connection& company, const QString& sql, const QList<Value>& params = {}) {
        return company.query(sql, params).rows.first().at(0).toInt();
    }
    std::int64_t rows(const char* table) {
        return count(*central, QStringLiteral("select count(*) from %1").arg(QLatin1String(table)));
    }

    CompanyPair companies;
    Installation installation{{companies.server()}};
    Program program{companies, installation};
    std::unique_ptr<fb::Connection> origin = companies.open(CompanyPair::kOrigin);
    std::unique_ptr<fb::Connection> central = companies.open(CompanyPair::kCentral);
};

class KilledRunsTest : public KilledRunTest, public testing::WithParamInterface<Scenario> {};

TEST_P(KilledRunsTest, EveryInvoiceAndReceiptArrivesExactlyOnce) {
    const QStringList arguments = program.arguments(kDay);
    for (const KillPoint& kill : GetParam().kills) {
        std::unique_ptr<fb::Transaction> holding;
        if (kill.heldPrefix) {
            const QStringList prefix = QString::fromLatin1(kill.heldPrefix).split(QLatin1Char(':'));
            holding = central->startTransaction();
            holding->execute(
                QStringLiteral(
                    "update prefijos set pref_nombre = pref_nombre where tido_cod = ? and pref_pre = ?"),
                {prefix.at(0).toInt(), prefix.at(1)});
        }
        const Program::Ended killed =
            program.runUntil(arguments, [&] { return rows(kill.table) >= kill.rows; });
        if (kill.heldPrefix) {
            EXPECT_TRUE(killed.crashed) << "the run passed the held row of " << kill.heldPrefix;
        }
    }
    const Program::Ended last = program.run(arguments);
    ASSERT_EQ(last.exitCode, 0) << last.errorOutput.toStdString();

    const fb::QueryResult points = origin->query(
        QStringLiteral("select distinct f.ptvt_id from facturas f join auditoria a on a.audi_iddoc = "
                       "f.fact_id and a.tido_cod = 31 "
                       "and a.audi_oper = 'I' where f.fact_fecha = ? and f.fact_anulado = 'N' order by 1"),
        {kDay});
    ASSERT_FALSE(points.rows.isEmpty());
    for (const fb::Row& point : points.rows) {
        SCOPED_TRACE("point " + point.at(0).toString().toStdString());
        const fb::QueryResult invoices = central->query(
            QStringLiteral("select fact_id from facturas where ptvt_id = ? and fact_fecha = ?"),
            {point.at(0), kDay});
        ASSERT_EQ(invoices.rows.size(), 1);
        const Value invoice = invoices.rows.first().at(0);
        // Its lines are the origin's sales of the day, once.
        EXPECT_EQ(count(*central, QStringLiteral("select count(*) from facturas_detalle where fact_id = ?"),
                        {invoice}),
                  count(*origin, QStringLiteral("select count(*) from resumen_ventas_tx(?, ?, '00:00:00')"),
                        {kDay, point.at(0)}));
        EXPECT_EQ(count(*central,
                        QStringLiteral(
                            "select count(*) from envio_resumdia where ptvt_id = ? and enre_fecha = ? and "
                            "enre_factid = ?"),
                        {point.at(0), kDay, invoice}),
                  1);
        EXPECT_EQ(
            count(*central,
                  QStringLiteral("select count(*) from recibos_caja r join recibos_caja_detalle d on "
                                 "d.reca_id = r.reca_id where r.reca_anulado = 'N' and d.rcde_iddoc = ?"),
                  {invoice}),
            1);
    }
    EXPECT_EQ(rows("facturas"), points.rows.size());
    EXPECT_EQ(rows("envio_resumdia"), points.rows.size());
    EXPECT_EQ(rows("recibos_caja"), points.rows.size());
}

// What a complete run wrote, table by table, with the amounts of the copied documents.
QStringList written(fb::Connection& central) {
    QStringList figures;
    for (const char* sql :
         {"select count(*) from facturas", "select count(*) from facturas_detalle",
          "select count(*) from recibos_caja", "select count(*) from recibos_caja_pago",
          "select count(*) from envio_resumdia", "select count(*) from traslados_caja",
          "select coalesce(sum(trcd_monto), 0) from traslados_caja_det", "select count(*) from egresos",
          "select coalesce(sum(egca_monto), 0) from egresos_caja", "select count(*) from egresos_detalle"})
        figures.append(QString::fromLatin1(sql) + " = " +
                       central.query(QString::fromLatin1(sql)).rows.first().at(0).toString());
    return figures;
}

TEST_F(KilledRunTest, ASecondRunOfTheSameDayWritesNothing) {
    const QStringList arguments = program.arguments(kDay);
    ASSERT_EQ(program.run(arguments).exitCode, 0);
    const QStringList first = written(*central);

    const Program::Ended again = program.run(arguments);

    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(written(*central), first);
    EXPECT_TRUE(again.errorOutput.contains(QLatin1String("INFO: El recibo de caja No. ")))
        << again.errorOutput.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kills, KilledRunsTest,
    testing::Values(
        Scenario{"AfterTheFirstInvoice", {{"facturas", 1}}},
        Scenario{"AfterTheFirstReceipt", {{"recibos_caja", 1}}},
        Scenario{"AfterTheFirstPosting", {{"contable", 1}}},
        Scenario{"ThreeTimes", {{"facturas", 2}, {"recibos_caja", 2}, {"contable", 6}}},
        Scenario{"AtEveryInvoice", {{"facturas", 1}, {"facturas", 2}, {"facturas", 3}, {"facturas", 4}}},
        Scenario{"BetweenAnInvoiceAndItsReceipt", {{"contable", 2, "61:R001"}}},
        Scenario{"BeforeTheSecondInvoice", {{"recibos_caja", 1, "31:F002"}}},
        Scenario{"BeforeATransfer", {{"recibos_caja", 1, "66:T001"}}},
        Scenario{
            "AtEveryHeldPoint",
            {{"contable", 2, "61:R001"}, {"recibos_caja", 1, "66:T001"}, {"traslados_caja", 1, "31:F002"}}}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
