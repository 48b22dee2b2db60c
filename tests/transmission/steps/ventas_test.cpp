#include "data/types/errors.h"
#include "tests/transmission/steps/origin_business.h"
#include "tests/transmission/steps/steps_session.h"

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

const QDate kDemoDay{2024, 3, 1};
// A day without demo business, for sales made up by a test.
const QDate kQuietDay{2024, 3, 10};

Fixed fixed(const char* text) {
    return Fixed::parse(QLatin1String(text));
}

// The time of the last invoice the origin audited for point 1 on a day, as "HH:mm:ss".
QString lastSaleOfPointOne(fb::Connection& origin, const QDate& date) {
    return origin
        .query(QStringLiteral(
                   "select max(a.audi_hora) from auditoria a join facturas f on f.fact_id = "
                   "a.audi_iddoc where a.tido_cod = 31 and a.audi_oper = 'I' and a.audi_fecha = ? and "
                   "f.ptvt_id = 1"),
               {date})
        .rows.at(0)
        .at(0)
        .toString();
}

class VentasTest : public StepsTest {
protected:
    void sendSales(int pointId, const QDate& date) { send(steps.ventas, pointId, date); }
    QStringList invoiceKeys() {
        return central(QStringLiteral("select fact_id from facturas order by fact_id"));
    }
    // One sale of a single line at point 1 on the quiet day, audited at `time`.
    void sellOneLine(const QString& time, const char* articulo, const char* precio, const char* iva = "0") {
        Business business(session.origin(), kQuietDay, time);
        business.invoice(1, 11, {{QLatin1String(articulo), fixed("1"), fixed(precio), fixed(iva)}});
        business.commit();
    }
};

// The line columns the destination holds, checked against the origin's summary read with our own query.
TEST_F(VentasTest, FirstSendWritesTheSummaryAsOneInvoiceWithItsSendRecordAndPostsIt) {
    sendSales(1, kDemoDay);

    const QStringList keys = invoiceKeys();
    ASSERT_EQ(keys.size(), 1);
    const Value factId = keys.first().toInt();
    const fb::QueryResult summary = session.origin().query(
        QStringLiteral("select prefijo, vendedor, articulo, unidad, cantidad, precio, iva, consumo "
                       "from resumen_ventas_tx(?, 1, '00:00:00')"),
        {kDemoDay});
    ASSERT_GT(summary.rows.size(), 1);
    QStringList expectedLines;
    Fixed sumTotal, sumIva;
    int item = 0;
    for (const fb::Row& row : summary.rows) {
        const Fixed cantidad = row.at(4).toFixed();
        const Fixed precio = row.at(5).toFixed().rounded(2);
        const Fixed iva = row.at(6).toFixed().rounded(2);
        const Fixed consumo = row.at(7).toFixed().rounded(2);
        const Fixed total = (cantidad * precio + iva + consumo).rounded(2);
        const QString rate =
            session.central()
                .query(QStringLiteral("select taiv_porc from articulo a join tarifa_iva t on "
                                      "t.taiv_cod = a.taiv_cod where arti_cod = ?"),
                       {row.at(2)})
                .rows.at(0)
                .at(0)
                .toString();
        expectedLines << QStringList{QString::number(++item), row.at(2).toString(),
                                     row.at(2).toString(),    row.at(3).toString(),
                                     cantidad.toString(),     precio.toString(),
                                     iva.toString(),          consumo.toString(),
                                     total.toString(),        rate,
                                     QStringLiteral("1"),     QStringLiteral("01"),
                                     QStringLiteral("N")}
                             .join(QLatin1Char('|'));
        sumTotal += total;
        sumIva += iva;
    }
    EXPECT_EQ(
        central(QStringLiteral("select fade_item, arti_cod, fade_codbar, fade_unidad, fade_cant, "
                               "fade_prunit, fade_ivamonto, fade_consumo, fade_total, fade_ivaporc, "
                               "lipr_cod, bode_cod, fade_anulado from facturas_detalle where fact_id = ? "
                               "order by fade_item"),
                {factId}),
        expectedLines);

    // The header: prefix and salesperson of the first summary row, the point's customer and store; the
    // destination numbered it; totals to the cent (the demo's rounding exponent is -2).
    const fb::Row& first = summary.rows.first();
    const QStringList header{"1",
                             first.at(1).toString(),
                             "222222222222",
                             first.at(0).toString(),
                             "000001",
                             "S",
                             "2024/03/01",
                             "2024/03/01",
                             "2024/03/01",
                             "N",
                             sumTotal.toString(),
                             sumIva.toString(),
                             "01",
                             "01",
                             "SYSDBA",
                             "N",
                             "N",
                             "0",
                             "0",
                             ""};
    EXPECT_EQ(central(QStringLiteral(
                  "select ptvt_id, vend_cod, terc_nit, pref_pre, fact_numero, numok, fact_fecha, "
                  "fact_vence, fact_dtoffecha, fact_ivainc, fact_total, fact_ivamonto, bode_cod, "
                  "fact_sucursal, fact_usuario, fact_anulado, fact_transmit, fact_dtopor, "
                  "fact_recibido, fact_rtftemonto from facturas")),
              QStringList{header.join(QLatin1Char('|'))});

    const QString lastSale = lastSaleOfPointOne(session.origin(), kDemoDay);
    EXPECT_EQ(
        central(QStringLiteral("select ptvt_id, enre_fecha, enre_hora, enre_factid from envio_resumdia")),
        QStringList{QStringLiteral("1|2024/03/01|%1|%2").arg(lastSale, factId.toString())});
    EXPECT_EQ(
        central(QStringLiteral("select cnt_libro || cnt_pendiente from contable where tido_cod = 31 and "
                               "cnt_iddoc = ? order by cnt_libro"),
                {factId}),
        (QStringList{"LN", "NN"}));
    EXPECT_EQ(session.progress.shown().last(), "Enviando ventas punto PUNTO 01 Fecha:2024/03/01 ...");
    EXPECT_EQ(session.run.state().timeMark, QStringLiteral("00:00:00"));
    EXPECT_TRUE(messages.recorded().isEmpty());
}

// What makes the step send nothing: each case prepares the companies, then the step runs for point 1.
struct NothingToSend {
    const char* name;
    QDate date;
    void (*prepare)(RunSession& session);
};

const NothingToSend kNothingToSend[] = {
    {"NoSaleAuditedThatDay", QDate(2024, 2, 28), nullptr},
    {"OriginRecordsASendAsLateAsTheLastSale", kDemoDay,
     [](RunSession& session) {
         session.origin().execute(
             QStringLiteral("insert into envio_resumdia (ptvt_id, enre_fecha, enre_hora) "
                            "values (1, ?, ?)"),
             {kDemoDay, lastSaleOfPointOne(session.origin(), kDemoDay)});
     }},
};

void PrintTo(const NothingToSend& param, std::ostream* out) {
    *out << param.name;
}

class NothingToSendTest : public VentasTest, public testing::WithParamInterface<NothingToSend> {};

TEST_P(NothingToSendTest, NoInvoiceNoSendRecordAndTheTimeMarkStays) {
    if (GetParam().prepare)
        GetParam().prepare(session);
    session.run.state().timeMark = QStringLiteral("07:00:00");

    sendSales(1, GetParam().date);

    EXPECT_TRUE(invoiceKeys().isEmpty());
    EXPECT_EQ(countCentral(QStringLiteral("select count(*) from envio_resumdia")), 0);
    EXPECT_EQ(session.run.state().timeMark, QStringLiteral("07:00:00"));
    EXPECT_TRUE(messages.recorded().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, NothingToSendTest, testing::ValuesIn(kNothingToSend),
                         [](const testing::TestParamInfo<NothingToSend>& info) { return info.param.name; });

TEST_F(VentasTest, ALaterSendCarriesOnlyTheNewSalesWithLinesNumberedAfresh) {
    sellOneLine(QStringLiteral("09:00:00"), "A001", "3800");
    sendSales(1, kQuietDay);
    sendSales(1, kQuietDay); // nothing new: not sent again
    {
        Business business(session.origin(), kQuietDay, QStringLiteral("18:30:15"));
        business.invoice(1, 12,
                         {{"C001", fixed("2"), fixed("9900"), fixed("3168")},
                          {"A002", fixed("1"), fixed("14500"), fixed("0")}});
        business.commit();
    }

    sendSales(1, kQuietDay);

    EXPECT_EQ(session.run.state().timeMark, QStringLiteral("09:00:00"));
    const QStringList keys = invoiceKeys();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(central(QStringLiteral(
                          "select fade_item, arti_cod, fade_total from facturas_detalle where fact_id = ? "
                          "order by fade_item"),
                      {keys.at(1).toInt()}),
              (QStringList{"1|C001|22968", "2|A002|14500"}));
    EXPECT_EQ(
        central(QStringLiteral("select vend_cod, fact_numero, fact_total from facturas order by fact_id")),
        (QStringList{"11|000001|3800", "12|000002|37468"}));
    EXPECT_EQ(central(QStringLiteral("select enre_hora, enre_factid from envio_resumdia order by enre_id")),
              (QStringList{"09:00:00|" + keys.at(0), "18:30:15|" + keys.at(1)}));
}

// Totals are rounded to a multiple of a power of ten, halves to the even neighbour.
struct Rounding {
    const char* name;
    int exponent;
    const char* precio;
    const char* iva;
    const char* total;
    const char* ivaTotal;
};

const Rounding kRoundings[] = {
    {"UnitsHalfDown", 0, "1234.50", "0", "1234", "0"},  {"UnitsHalfUp", 0, "1235.50", "0", "1236", "0"},
    {"TensHalfDown", 1, "1224.50", "10", "1230", "10"}, {"TensHalfUp", 1, "1225", "10", "1240", "10"},
    {"TensEvenBelow", 1, "1235", "10", "1240", "10"},   {"TaxToTens", 1, "1000", "123.45", "1120", "120"},
    {"Hundreds", 2, "1150", "100", "1200", "100"},      {"Cents", -2, "1234.56", "0.01", "1234.57", "0.01"},
};

void PrintTo(const Rounding& param, std::ostream* out) {
    *out << param.name;
}

class RoundingTest : public VentasTest, public testing::WithParamInterface<Rounding> {};

TEST_P(RoundingTest, InvoiceTotals) {
    sellOneLine(QStringLiteral("10:00:00"), "A001", GetParam().precio, GetParam().iva);
    session.run.state().roundingExponent = GetParam().exponent;

    sendSales(1, kQuietDay);

    EXPECT_EQ(central(QStringLiteral("select fact_total, fact_ivamonto from facturas")),
              QStringList{QStringLiteral("%1|%2").arg(QLatin1String(GetParam().total),
                                                      QLatin1String(GetParam().ivaTotal))});
}

INSTANTIATE_TEST_SUITE_P(Exponents, RoundingTest, testing::ValuesIn(kRoundings),
                         [](const testing::TestParamInfo<Rounding>& info) { return info.param.name; });

// Every term of a line differs from the others, and rounding each line's total would give another invoice
// total than rounding their sum once.
TEST_F(VentasTest, LineTotalsCarryBothTaxesAndTheInvoiceTotalIsRoundedOnce) {
    {
        Business business(session.origin(), kQuietDay, QStringLiteral("10:00:00"));
        business.invoice(1, 11,
                         {{"C006", fixed("3"), fixed("2500.50"), fixed("1200.24"), fixed("600.12")},
                          {"B005", fixed("2"), fixed("1500.25"), fixed("150.05"), fixed("244.04")}});
        business.commit();
    }
    session.run.state().roundingExponent = 1;

    sendSales(1, kQuietDay);

    EXPECT_EQ(central(QStringLiteral("select fade_item, arti_cod, fade_cant, fade_prunit, fade_ivaporc, "
                                     "fade_ivamonto, fade_consumo, fade_total from facturas_detalle "
                                     "order by fade_item")),
              (QStringList{"1|C006|3|2500.5|16|1200.24|600.12|9301.86",
                           "2|B005|2|1500.25|10|150.05|244.04|3394.59"}));
    // 12696.45 and 1350.29 to the ten.
    EXPECT_EQ(central(QStringLiteral("select fact_total, fact_ivamonto from facturas")),
              QStringList{"12700|1350"});
}

TEST_F(VentasTest, AFailedWriteLeavesNoInvoiceNorSendRecordAndTheNextRunSendsTheSameSales) {
    sellOneLine(QStringLiteral("11:00:00"), "B001", "16900", "1690");
    session.central().execute(QStringLiteral("delete from articulo where arti_cod = 'B001'"));

    sendSales(1, kQuietDay);

    EXPECT_TRUE(invoiceKeys().isEmpty());
    EXPECT_EQ(countCentral(QStringLiteral("select count(*) from envio_resumdia")), 0);
    ASSERT_EQ(messages.recorded().size(), 3);
    EXPECT_EQ(messages.recorded().at(0).kind, MessageKind::Beep);
    EXPECT_EQ(
        messages.recorded().at(1),
        (RecordedMessage{MessageKind::Error, "Está borrando o insertando un registro en la tabla Factura que "
                                             "tiene una relación con otra tabla."}));
    EXPECT_EQ(
        messages.recorded().at(2),
        (RecordedMessage{MessageKind::Information,
                         "Se produjeron errores durante la transmisión de las ventas del punto: PUNTO 01"}));

    session.central().execute(QStringLiteral(
        "insert into articulo (arti_cod, arti_nombre, taiv_cod) values ('B001', 'CAFE', 'G10')"));
    sendSales(1, kQuietDay);

    ASSERT_EQ(invoiceKeys().size(), 1);
    EXPECT_EQ(central(QStringLiteral("select arti_cod, fade_ivaporc, fade_total from facturas_detalle")),
              QStringList{"B001|10|18590"});
    EXPECT_EQ(central(QStringLiteral("select enre_hora from envio_resumdia")), QStringList{"11:00:00"});
}

TEST_F(VentasTest, TheInvoiceIsNotWrittenWhenItsSendRecordCannotBe) {
    sellOneLine(QStringLiteral("12:00:00"), "A001", "3800");
    session.central().execute(QStringLiteral("create exception e_envio_cerrado 'Envios cerrados'"));
    session.central().execute(
        QStringLiteral("create trigger envio_cerrado for envio_resumdia before insert as "
                       "begin exception e_envio_cerrado; end"));

    sendSales(1, kQuietDay);

    EXPECT_TRUE(invoiceKeys().isEmpty());
    EXPECT_EQ(countCentral(QStringLiteral("select count(*) from facturas_detalle")), 0);
    EXPECT_EQ(
        messages.recorded().last(),
        (RecordedMessage{MessageKind::Information,
                         "Se produjeron errores durante la transmisión de las ventas del punto: PUNTO 01"}));

    session.central().execute(QStringLiteral("drop trigger envio_cerrado"));
    sendSales(1, kQuietDay);
    sendSales(1, kQuietDay);

    EXPECT_EQ(invoiceKeys().size(), 1);
    EXPECT_EQ(countCentral(QStringLiteral("select count(*) from envio_resumdia")), 1);
}

TEST_F(VentasTest, LinesCarryThePriceListOfTheLastCustomerTheDestinationKnew) {
    session.central().execute(QStringLiteral("delete from clientes where terc_nit = '222222222222'"));
    sendSales(1, kDemoDay);
    session.central().execute(
        QStringLiteral("insert into clientes (terc_nit, lipr_cod) values ('222222222222', 7)"));
    sendSales(2, kDemoDay);
    session.central().execute(QStringLiteral("delete from clientes where terc_nit = '222222222222'"));
    sendSales(3, kDemoDay);

    EXPECT_EQ(central(QStringLiteral(
                  "select distinct f.ptvt_id, d.lipr_cod from facturas f join facturas_detalle d "
                  "on d.fact_id = f.fact_id order by 1")),
              (QStringList{"1|0", "2|7", "3|7"}));
}

TEST_F(VentasTest, APrefixTheDestinationDoesNotKnowEndsTheRun) {
    session.central().execute(
        QStringLiteral("delete from prefijos where tido_cod = 31 and pref_pre = 'F001'"));

    EXPECT_THROW(sendSales(1, kDemoDay), OperationAborted);

    EXPECT_TRUE(invoiceKeys().isEmpty());
    EXPECT_TRUE(messages.recorded().contains(
        RecordedMessage{MessageKind::Error, QStringLiteral("Los campos FACT_IVAINC,  son obligatorios.")}));
}

} // namespace
} // namespace quelmaro::test
