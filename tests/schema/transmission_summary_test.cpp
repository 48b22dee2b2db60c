#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;
using test::Results;

namespace {

// The invoices of point 1 on the demo's last day whose insertion was audited after a time of day.
const char* const kSoldAfter = "from facturas f where f.ptvt_id = 1 and f.fact_fecha = ? and exists (select 1"
                               " from auditoria a where a.audi_iddoc = f.fact_id and a.tido_cod = 31"
                               " and a.audi_oper = 'I' and a.audi_hora > cast(? as time))";

class SoldAfter : public testing::TestWithParam<const char*> {
protected:
    std::unique_ptr<fb::Connection> connection = test::openDatabase(test::demo::origin());
    const QDate day = test::demo::kLastDay;
    const QString time = QString::fromLatin1(GetParam());

    // A query whose %1 stands for the clause that picks those invoices.
    Value direct(const QString& sql) {
        return test::single(*connection, sql.arg(QString::fromLatin1(kSoldAfter)), {day, time});
    }
};

TEST_P(SoldAfter, SalesSummaryHasOneRowPerLineSoldAfterTheTime) {
    const Results lines(connection->query("select * from resumen_ventas_tx(?, 1, ?)", {day, time}));
    EXPECT_EQ(
        lines.size(),
        direct("select count(*) from facturas_detalle d where d.fact_id in (select f.fact_id %1)").toInt());
    Fixed total;
    for (qsizetype r = 0; r < lines.size(); ++r) {
        EXPECT_EQ(lines.at(r, "PREFIJO"), Value("F001"));
        total += lines.money(r, "CANTIDAD") * lines.money(r, "PRECIO") + lines.money(r, "IVA") +
                 lines.money(r, "CONSUMO");
    }
    // Quantity times the net price plus taxes gives back what the invoices charged.
    EXPECT_EQ(total, direct("select coalesce(sum(f.fact_total), 0) %1").toFixed());
}

TEST_P(SoldAfter, CashSummaryHasWhatWasPaidForThoseSales) {
    const Results payments(connection->query("select * from resumen_caja_tx(?, 1, ?)", {day, time}));
    Fixed total;
    for (qsizetype r = 0; r < payments.size(); ++r) {
        EXPECT_GE(payments.at(r, "FORMA").toInt(), 1);
        EXPECT_LE(payments.at(r, "FORMA").toInt(), 5);
        total += payments.money(r, "MONTO");
    }
    EXPECT_EQ(total, direct("select coalesce(sum(p.fapa_monto), 0) from facturas_pago p where p.fact_id in"
                            " (select f.fact_id %1)")
                         .toFixed());
}

INSTANTIATE_TEST_SUITE_P(Times, SoldAfter,
                         testing::Values("00:00:00", "00:00", "12:00:00", "17:45:30", "23:59:59"));

TEST(SalesSummary, NothingSoldAfterTheLastSaleOrOnADayWithoutBusiness) {
    auto connection = test::openDatabase(test::demo::origin());
    const QString lastSale =
        test::single(*connection,
                     "select max(audi_hora) from auditoria a, facturas f"
                     " where a.audi_iddoc = f.fact_id and audi_fecha = ? and a.tido_cod = 31"
                     " and audi_oper = 'I' and f.ptvt_id = 1",
                     {test::demo::kLastDay})
            .toString();
    EXPECT_FALSE(lastSale.isEmpty());
    EXPECT_EQ(connection->query("select * from resumen_ventas_tx(?, 1, ?)", {test::demo::kLastDay, lastSale})
                  .rows.size(),
              0);
    EXPECT_EQ(connection->query("select * from resumen_caja_tx(?, 1, ?)", {test::demo::kLastDay, lastSale})
                  .rows.size(),
              0);
    EXPECT_EQ(connection->query("select * from resumen_ventas_tx('2023/01/10', 1, '00:00:00')").rows.size(),
              0);
}

} // namespace
