#include "data/types/errors.h"
#include "tests/transmission/steps/origin_business.h"
#include "tests/transmission/steps/steps_session.h"

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

const QDate kDemoDay{2024, 3, 1};
const QDate kQuietDay{2024, 3, 10};

class RecibosTest : public StepsTest {
protected:
    using StepsTest::StepsTest;

    void sendSales(int pointId, const QDate& date) { send(steps.ventas, pointId, date); }
    void sendReceipt(int pointId, const QDate& date) { send(steps.recibos, pointId, date); }
    QStringList receipts() {
        return central(QStringLiteral("select reca_id from recibos_caja order by reca_id"));
    }
    // An invoice of point 1 on the quiet day in the central company, as the sales step leaves one.
    Value centralInvoice(const Fixed& total) {
        const Value id =
            session.central().execute(QStringLiteral("execute procedure cambie_id_factura")).value(0);
        session.central().execute(
            QStringLiteral(
                "insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, fact_fecha, "
                "fact_ivainc, pref_pre, fact_anulado, fact_total, numok, fact_nomcliente) "
                "values (?, 1, 11, '222222222222', '000001', ?, 'N', 'F001', 'N', ?, 'N', "
                "'CONSUMIDOR FINAL')"),
            {id, kQuietDay, total});
        return id;
    }
    // Counter payments at point 1 on the quiet day in the origin.
    void originPayments(const QList<Business::Payment>& payments) {
        Fixed total;
        for (const Business::Payment& payment : payments)
            total += payment.monto;
        Business business(session.origin(), kQuietDay, QStringLiteral("10:00:00"));
        business.invoice(1, 11, {{QStringLiteral("A001"), Fixed::fromInt(1), total, Fixed()}}, payments);
        business.commit();
    }
};

TEST_F(RecibosTest, AReceiptPaysTheDaysSummaryInvoiceWithTheOriginsPaymentsAndIsPosted) {
    sendSales(2, kDemoDay);
    sendReceipt(2, kDemoDay);

    const QStringList invoice =
        central(QStringLiteral("select fact_id || '|' || fact_numero || '|' || fact_total from facturas"));
    ASSERT_EQ(invoice.size(), 1);
    const QStringList factura = invoice.first().split(QLatin1Char('|'));
    const fb::QueryResult payments = session.origin().query(
        QStringLiteral("select forma, banco, cuenta, numero, monto from resumen_caja_tx(?, 2, '00:00:00')"),
        {kDemoDay});
    ASSERT_GT(payments.rows.size(), 1);
    QStringList expectedPayments;
    Fixed paid;
    int item = 0;
    for (const fb::Row& row : payments.rows) {
        const Fixed monto = row.at(4).toFixed().rounded(2);
        expectedPayments << QStringList{QString::number(++item),
                                        row.at(0).toString(),
                                        row.at(1).toString().left(2),
                                        row.at(2).toString(),
                                        row.at(3).toString(),
                                        "2024/03/01",
                                        monto.toString(),
                                        "N",
                                        "N",
                                        "0"}
                                .join(QLatin1Char('|'));
        paid += monto;
    }
    // Sales on account leave part of the summary invoice unpaid.
    ASSERT_LE(paid, Fixed::parse(factura.at(2)));

    const QStringList keys = receipts();
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(central(QStringLiteral(
                  "select caja_id, tido_cod, pref_pre, reca_numero, numok, reca_fecha, reca_conc, "
                  "reca_monto, reca_rtftemonto, reca_rtivamonto, reca_rticamonto, reca_dtof, "
                  "terc_nit, reca_nomterc, reca_anulado, reca_transmit, cobr_cod, reca_usuario, "
                  "reca_provisional from recibos_caja")),
              (QStringList{QStringList{"2", "61", "R002", "000001", "S", "2024/03/01",
                                       "Cancela ventas contado 2024/03/01", paid.toString(), "0", "0", "0",
                                       "0", "222222222222", "", "N", "N", "21", "SYSDBA", ""}
                               .join(QLatin1Char('|'))}));
    EXPECT_EQ(central(QStringLiteral("select rcde_item, rcde_tipodoc, rcde_iddoc, rcde_prefijo, rcde_numero, "
                                     "rcde_abono, rcde_rtfte, rcde_dtof, rcde_anulado, rcde_sucursal "
                                     "from recibos_caja_detalle")),
              (QStringList{QStringList{"1", "31", factura.at(0), "F002", factura.at(1), paid.toString(), "0",
                                       "0", "N", "01"}
                               .join(QLatin1Char('|'))}));
    EXPECT_EQ(
        central(QStringLiteral("select rcpa_item, fopa_id, rcpa_banco, rcpa_cuenta, rcpa_numero, rcpa_fecha, "
                               "rcpa_monto, rcpa_anulado, rcpa_transmit, rcpa_ivamonto "
                               "from recibos_caja_pago order by rcpa_item")),
        expectedPayments);
    EXPECT_EQ(
        central(QStringLiteral("select cnt_libro || cnt_pendiente from contable where tido_cod = 61 and "
                               "cnt_iddoc = ? order by cnt_libro"),
                {keys.first().toInt()}),
        (QStringList{"LN", "NN"}));
    EXPECT_EQ(session.progress.shown().last(), "Enviando recibo punto PUNTO 02 2024/03/01 ...");
    EXPECT_FALSE(session.progress.isVisible());
    EXPECT_TRUE(messages.recorded().isEmpty());
}

// The receipt pays at most the invoice's total: an excess comes off the cash payment, or off the payment
// added last when nobody paid cash.
struct Settlement {
    const char* name;
    QList<Business::Payment> payments;
    QStringList written; // item|form|bank|amount
    const char* paid;    // RECA_MONTO and RCDE_ABONO
};

void PrintTo(const Settlement& param, std::ostream* out) {
    *out << param.name;
}

const Fixed k100k = Fixed::fromInt(100000);

const Settlement kSettlements[] = {
    {"PaidInFull", {{1, Fixed::fromInt(100000), {}}}, {"1|1||100000"}, "100000"},
    {"CashAbsorbsTheExcess",
     {{1, Fixed::fromInt(70000), {}}, {4, Fixed::fromInt(50000), QStringLiteral("07")}},
     {"1|1||50000", "2|4|07|50000"},
     "100000"},
    {"PaidInPart", {{1, Fixed::fromInt(80000), {}}}, {"1|1||80000"}, "80000"},
    {"CashBetweenOtherFormsAbsorbsTheExcess",
     {{3, Fixed::fromInt(20000), QStringLiteral("13")},
      {1, Fixed::fromInt(47000), {}},
      {4, Fixed::fromInt(45000), QStringLiteral("51")}},
     {"1|3|13|20000", "2|1||35000", "3|4|51|45000"},
     "100000"},
    {"WithoutCashTheLastPaymentAbsorbsItAndBanksKeepTwoCharacters",
     {{2, Fixed::fromInt(70000), QStringLiteral("123")}, {4, Fixed::fromInt(50000), QStringLiteral("51")}},
     {"1|2|12|70000", "2|4|51|30000"},
     "100000"},
};

class SettlementTest : public RecibosTest, public testing::WithParamInterface<Settlement> {};

TEST_P(SettlementTest, WithoutSalesSentTheReceiptPaysTheLastInvoiceOfTheDay) {
    centralInvoice(Fixed::fromInt(1)); // an earlier invoice of the day: not the one paid
    const Value invoice = centralInvoice(k100k);
    originPayments(GetParam().payments);

    sendReceipt(1, kQuietDay);

    EXPECT_EQ(
        central(QStringLiteral("select rcpa_item, fopa_id, rcpa_banco, rcpa_monto from recibos_caja_pago "
                               "order by rcpa_item")),
        GetParam().written);
    const QString paid = QLatin1String(GetParam().paid);
    EXPECT_EQ(central(QStringLiteral("select r.reca_monto, d.rcde_abono, d.rcde_iddoc from recibos_caja r "
                                     "join recibos_caja_detalle d on d.reca_id = r.reca_id")),
              QStringList{paid + '|' + paid + '|' + invoice.toString()});
    EXPECT_TRUE(messages.recorded().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Payments, SettlementTest, testing::ValuesIn(kSettlements),
                         [](const testing::TestParamInfo<Settlement>& info) { return info.param.name; });

TEST_F(RecibosTest, AnInvoiceAlreadyPaidIsNotPaidAgainButANewerOneIs) {
    sendSales(1, kDemoDay);
    sendReceipt(1, kDemoDay);
    sendReceipt(1, kDemoDay);

    EXPECT_EQ(receipts().size(), 1);
    EXPECT_EQ(messages.recorded(),
              (QList<RecordedMessage>{
                  {MessageKind::Information,
                   QStringLiteral("El recibo de caja No. R001000001 ya abono la factura 000001")}}));

    {
        Business business(session.origin(), kDemoDay, QStringLiteral("23:10:00"));
        business.invoice(1, 11, {{QStringLiteral("A001"), Fixed::fromInt(2), Fixed::fromInt(3800), Fixed()}},
                         {{1, Fixed::fromInt(7600), {}}});
        business.commit();
    }
    sendSales(1, kDemoDay);
    sendReceipt(1, kDemoDay);

    // Only the payments after the first send: the new sale's.
    const QString firstPaid =
        central(QStringLiteral("select reca_monto from recibos_caja order by reca_id")).first();
    EXPECT_EQ(
        central(QStringLiteral("select r.reca_numero, r.reca_monto, d.rcde_numero from recibos_caja r join "
                               "recibos_caja_detalle d on d.reca_id = r.reca_id order by r.reca_id")),
        (QStringList{"000001|" + firstPaid + "|000001", "000002|7600|000002"}));
}

TEST_F(RecibosTest, AnInvoiceWhoseRunStoppedBeforeItsReceiptIsPaidByTheNextRun) {
    sendSales(2, kDemoDay);
    // The next run: it finds the sales sent, and its time mark is the time of that invoice's own send.
    session.run.state().timeMark = QStringLiteral("00:00:00");
    sendSales(2, kDemoDay);
    sendReceipt(2, kDemoDay);

    EXPECT_EQ(receipts().size(), 1);
    EXPECT_EQ(countCentral("select count(*) from recibos_caja_pago"),
              int(session.origin()
                      .query(QStringLiteral("select * from resumen_caja_tx(?, 2, '00:00:00')"), {kDemoDay})
                      .rows.size()));
    EXPECT_TRUE(messages.recorded().isEmpty());
}

class UnattendedRecibosTest : public RecibosTest {
protected:
    UnattendedRecibosTest() : RecibosTest({QStringLiteral("SYSDBA"), QStringLiteral("1")}) {}
};

TEST_F(RecibosTest, WithoutAnInvoiceOfTheDayTheOperatorIsTold) {
    originPayments({{1, k100k, {}}});

    sendReceipt(1, kQuietDay);

    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_EQ(messages.recorded(),
              (QList<RecordedMessage>{{MessageKind::Information,
                                       QStringLiteral("No hay ventas del dia 2024/03/10 en el punto 1")}}));
    EXPECT_FALSE(session.progress.isVisible());
}

TEST_F(UnattendedRecibosTest, WithoutAnInvoiceOfTheDayNothingIsShown) {
    originPayments({{1, k100k, {}}});

    sendReceipt(1, kQuietDay);

    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_F(RecibosTest, AReceiptLeftUnderKeyZeroStopsTheStep) {
    centralInvoice(k100k);
    originPayments({{1, k100k, {}}});
    session.central().execute(
        QStringLiteral("insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, "
                       "reca_numero, reca_fecha, numok) values (0, 1, 61, 'R001', "
                       "'000009', '2024-03-09', 'S')"));

    sendReceipt(1, kQuietDay);

    EXPECT_EQ(receipts(), QStringList{"0"});
    EXPECT_EQ(messages.recorded(),
              (QList<RecordedMessage>{
                  {MessageKind::Information,
                   QStringLiteral("Se encontró un recibo previo que no está correctamente registrado.")}}));
}

TEST_F(RecibosTest, AFailedWriteDiscardsTheReceipt) {
    centralInvoice(k100k);
    originPayments({{1, Fixed::fromInt(60000), {}}, {4, Fixed::fromInt(40000), QStringLiteral("07")}});
    session.central().execute(QStringLiteral("delete from formas_pago where fopa_id = 4"));

    sendReceipt(1, kQuietDay);

    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_EQ(countCentral(QStringLiteral("select count(*) from recibos_caja_pago")), 0);
    ASSERT_EQ(messages.recorded().size(), 3);
    EXPECT_EQ(
        messages.recorded().at(1),
        (RecordedMessage{MessageKind::Error, "Está borrando o insertando un registro en la tabla Recibo que "
                                             "tiene una relación con otra tabla."}));
    EXPECT_EQ(messages.recorded().at(2),
              (RecordedMessage{MessageKind::Information,
                               "Se produjeron errores durante la transmisión de las formas "
                               "de pago del punto: PUNTO 01"}));
}

TEST_F(RecibosTest, WithoutAnAuthorisedReceiptPrefixTheRunEnds) {
    centralInvoice(k100k);
    originPayments({{1, k100k, {}}});
    session.central().execute(QStringLiteral("delete from autorizaciones where pref_pre = 'F001'"));

    EXPECT_THROW(sendReceipt(1, kQuietDay), OperationAborted);

    EXPECT_TRUE(receipts().isEmpty());
    EXPECT_TRUE(messages.recorded().contains(RecordedMessage{
        MessageKind::Error, QStringLiteral("Los campos PREF_PRE, RECA_NUMERO,  son obligatorios.")}));
}

} // namespace
} // namespace quelmaro::test
