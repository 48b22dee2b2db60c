#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <map>

using namespace quelmaro;
using test::Results;

namespace {

Results summary(fb::Connection& connection, const QDate& date, int first = 0, int last = 99999,
                int branch = 0) {
    return Results(connection.query("select * from resumen_dia(?, ?, ?, ?)", {date, first, last, branch}));
}

Fixed sum(std::initializer_list<Fixed> values) {
    Fixed total;
    for (Fixed value : values)
        total += value;
    return total;
}

class DailySummary : public testing::Test {
protected:
    std::unique_ptr<fb::Connection> connection = test::openDatabase(test::demo::origin());
};

TEST_F(DailySummary, FiguresReconcileForEveryPointAndDay) {
    std::map<int, Fixed> closingOfDayBefore;
    Fixed consumoOfTheDays;
    for (QDate day = test::demo::kFirstDay; day <= test::demo::kLastDay; day = day.addDays(1)) {
        const Results rows = summary(*connection, day);
        ASSERT_EQ(rows.size(), 3) << day.toString().toStdString();
        for (qsizetype r = 0; r < rows.size(); ++r) {
            SCOPED_TRACE(day.toString(Qt::ISODate).toStdString() + " punto " +
                         rows.at(r, "PTOVTA").toString().toStdString());
            auto m = [&](const char* column) { return rows.money(r, column); };
            EXPECT_EQ(rows.at(r, "PTOVTA").toInt(), r + 1);
            EXPECT_EQ(m("VTATOTALDIA"), m("VTACONTDIA") + m("VTACREDDIA"));
            EXPECT_EQ(m("VTATOTALMES"), m("VTACONTMES") + m("VTACREDMES"));
            EXPECT_EQ(m("VTANETADIA"), m("VTATOTALDIA") - m("DEVOLDIA"));
            EXPECT_EQ(m("VTANETAMES"), m("VTATOTALMES") - m("DEVOLMES"));
            EXPECT_EQ(m("VTACONTDIA"),
                      sum({m("FORMAP1"), m("FORMAP2"), m("FORMAP3"), m("FORMAP4"), m("FORMAP5")}));
            EXPECT_EQ(m("VTATOTALDIA"), m("VTACONTDIA") + m("CARTERA"));
            // The consumption tax has no column of its own: it is what the sales hold beyond bases and VAT.
            const Fixed consumo =
                test::single(*connection,
                             "select coalesce(sum(d.fade_consumo), 0) from facturas f join facturas_detalle d"
                             " on d.fact_id = f.fact_id where f.ptvt_id = ? and f.fact_fecha = ?"
                             " and f.fact_anulado = 'N'",
                             {rows.at(r, "PTOVTA"), day})
                    .toFixed();
            consumoOfTheDays += consumo;
            EXPECT_EQ(m("VTATOTALDIA"), sum({m("VTAEXENTADIA"), m("VTAGRAVA16DIA"), m("VTAGRAVA10DIA"),
                                             m("IVA16DIA"), m("IVA10DIA"), consumo}));
            EXPECT_EQ(m("INGTOTAL"), sum({m("VTACONTDIA"), m("INGCARTERA"), m("INGOTROS"), m("TRASLADOR")}));
            EXPECT_EQ(m("EGRTOTAL"), sum({m("EGRPROV"), m("EGRCLASE1"), m("EGRCLASE2"), m("EGROTROS"),
                                          m("TRASLADO"), m("CONSIGNA")}));
            EXPECT_EQ(m("FINAL"), m("INICIAL") + m("INGTOTAL") - m("EGRTOTAL"));
            EXPECT_EQ(m("CMPTOTALDIA"), m("CMPCONTADODIA") + m("CMPCREDITODIA"));
            EXPECT_EQ(m("CMPNETADIA"), m("CMPTOTALDIA") - m("DEVCMPDIA"));
            EXPECT_EQ(m("CMPTOTALDIA"), sum({m("CMPEXENTADIA"), m("CMPGRAVA16DIA"), m("CMPGRAVA10DIA"),
                                             m("IVAC16DIA"), m("IVAC10DIA")}));
            const int point = int(rows.at(r, "PTOVTA").toInt());
            const Fixed opening =
                day == test::demo::kFirstDay ? Fixed::fromInt(500000) : closingOfDayBefore[point];
            EXPECT_EQ(m("INICIAL"), opening) << "the box opens with what it closed with the day before";
            closingOfDayBefore[point] = m("FINAL");
        }
    }
    EXPECT_GT(consumoOfTheDays, Fixed());
}

// Each month column against the day columns of the same month up to the day.
TEST_F(DailySummary, MonthColumnsAddUpTheDaysOfTheMonthSoFar) {
    const QList<std::pair<QString, QString>> pairs = {
        {"VTACONTDIA", "VTACONTMES"},       {"VTACREDDIA", "VTACREDMES"},
        {"VTATOTALDIA", "VTATOTALMES"},     {"DEVOLDIA", "DEVOLMES"},
        {"VTANETADIA", "VTANETAMES"},       {"VTAEXENTADIA", "VTAEXENTAMES"},
        {"VTAGRAVA16DIA", "VTAGRAVA16MES"}, {"VTAGRAVA10DIA", "VTAGRAVA10MES"},
        {"IVA16DIA", "IVA16MES"},           {"IVA10DIA", "IVA10MES"},
        {"DESCTOSDIA", "DESCTOSMES"},       {"FORMAP1", "FORMAP1MES"},
        {"FORMAP2", "FORMAP2MES"},          {"FORMAP3", "FORMAP3MES"},
        {"FORMAP4", "FORMAP4MES"},          {"FORMAP5", "FORMAP5MES"},
        {"CARTERA", "CARTERAMES"},          {"CMPEXENTADIA", "CMPEXENTAMES"},
        {"CMPGRAVA16DIA", "CMPGRAVA16MES"}, {"CMPGRAVA10DIA", "CMPGRAVA10MES"},
        {"IVAC16DIA", "IVAC16MES"},         {"IVAC10DIA", "IVAC10MES"},
        {"CMPTOTALDIA", "CMPTOTALMES"},     {"CMPCONTADODIA", "CMPCONTADOMES"},
        {"CMPCREDITODIA", "CMPCREDITOMES"}, {"DEVCMPDIA", "DEVCMPMES"},
        {"CMPNETADIA", "CMPNETAMES"},
    };
    std::map<std::pair<int, QString>, Fixed> monthSoFar;
    for (QDate day = test::demo::kFirstDay; day <= test::demo::kLastDay; day = day.addDays(1)) {
        if (day.day() == 1)
            monthSoFar.clear();
        const Results rows = summary(*connection, day);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const int point = int(rows.at(r, "PTOVTA").toInt());
            for (const auto& [dayColumn, monthColumn] : pairs) {
                Fixed& total = monthSoFar[{point, dayColumn}];
                total += rows.money(r, dayColumn);
                EXPECT_EQ(rows.money(r, monthColumn), total)
                    << monthColumn.toStdString() << " punto " << point << " "
                    << day.toString(Qt::ISODate).toStdString();
            }
        }
    }
}

TEST_F(DailySummary, AgreesWithSumsTakenFromTheTables) {
    const QDate day = test::demo::kLastDay;
    const Results rows = summary(*connection, day);
    auto direct = [&](const char* sql, int point) {
        return test::single(*connection, QString::fromUtf8(sql), {point, day}).toFixed();
    };
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const int point = int(rows.at(r, "PTOVTA").toInt());
        SCOPED_TRACE(point);
        EXPECT_EQ(rows.money(r, "VTATOTALDIA"),
                  direct("select coalesce(sum(fact_total), 0) from facturas"
                         " where ptvt_id = ? and fact_fecha = ? and fact_anulado = 'N'",
                         point));
        EXPECT_EQ(
            rows.money(r, "FORMAP1"),
            direct("select coalesce(sum(p.fapa_monto), 0) from facturas f join facturas_pago p"
                   " on p.fact_id = f.fact_id where f.ptvt_id = ? and f.fact_fecha = ? and p.fopa_id = 1",
                   point));
        EXPECT_EQ(
            rows.money(r, "IVA16DIA"),
            direct(
                "select coalesce(sum(d.fade_ivamonto), 0) from facturas f join facturas_detalle d"
                " on d.fact_id = f.fact_id where f.ptvt_id = ? and f.fact_fecha = ? and d.fade_ivaporc = 16",
                point));
        EXPECT_EQ(rows.money(r, "DEVOLDIA"),
                  direct("select coalesce(sum(deve_total), 0) from devoluciones_venta"
                         " where ptvt_id = ? and deve_fecha = ?",
                         point));
        EXPECT_EQ(rows.money(r, "CONSIGNA"),
                  direct("select coalesce(sum(c.cons_monto), 0) from consignaciones c join punto_venta p"
                         " on p.caja_id = c.caja_id where p.ptvt_id = ? and c.cons_fecha = ?",
                         point));
        EXPECT_EQ(
            rows.money(r, "TRASLADO"),
            direct("select coalesce(sum(d.trcd_monto), 0) from traslados_caja t join traslados_caja_det d"
                   " on d.trcj_id = t.trcj_id join punto_venta p on p.caja_id = t.caja_id"
                   " where p.ptvt_id = ? and t.trcj_fecha = ?",
                   point));
        EXPECT_EQ(rows.money(r, "CMPTOTALDIA"),
                  test::single(*connection,
                               "select coalesce(sum(comp_total), 0) from compras where comp_fecha = ?", {day})
                      .toFixed());
    }
}

// Over the whole demo every figure of the report shows up somewhere.
TEST_F(DailySummary, DemoBusinessFillsEveryColumn) {
    std::map<QString, Fixed> largest;
    for (QDate day = test::demo::kFirstDay; day <= test::demo::kLastDay; day = day.addDays(1)) {
        const Results rows = summary(*connection, day);
        for (qsizetype r = 0; r < rows.size(); ++r)
            for (qsizetype c = 2; c < rows.result().columns.size(); ++c)
                largest[rows.result().columns[c].name] =
                    std::max(largest[rows.result().columns[c].name], rows.result().rows[r][c].toFixed());
    }
    for (const auto& [column, value] : largest)
        EXPECT_GT(value, Fixed()) << column.toStdString();
}

TEST_F(DailySummary, BranchKeepsItsOwnPointsAndPurchases) {
    const Results rows = summary(*connection, test::demo::kLastDay, 0, 99999, 2);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0, "PTOVTA").toInt(), 2);
    EXPECT_EQ(rows.money(0, "CMPTOTALMES"),
              test::single(*connection, "select coalesce(sum(comp_total), 0) from compras where sucu_id = 2"
                                        " and comp_fecha between '2024/03/01' and '2024/03/03'")
                  .toFixed());
}

TEST_F(DailySummary, DayWithoutBusinessGivesRowsOfZeros) {
    const Results rows = summary(*connection, QDate(2023, 1, 10));
    ASSERT_EQ(rows.size(), 3);
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 2; c < rows.result().columns.size(); ++c)
            EXPECT_EQ(rows.result().rows[r][c], Value(Fixed()))
                << rows.result().columns[c].name.toStdString();
}

class PointRange : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(PointRange, OutsideThePointsOfSaleGivesNoRows) {
    auto connection = test::openDatabase(test::demo::origin());
    EXPECT_EQ(summary(*connection, test::demo::kLastDay, GetParam().first, GetParam().second).size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Unknown, PointRange,
                         testing::Values(std::pair{100, 200}, std::pair{3, 1}, std::pair{0, 0},
                                         std::pair{-5, -1}));

} // namespace
