#include "tests/transmission/steps/origin_business.h"
#include "tests/transmission/steps/steps_session.h"

namespace quelmaro::test {
namespace {

const QDate kQuietDay{2024, 3, 10};

Fixed money(int units) {
    return Fixed::fromInt(units);
}

class CopiesTest : public StepsTest {
protected:
    void sendAll(const QDate& from, const QDate& to) {
        for (QDate date = from; date <= to; date = date.addDays(1)) {
            for (int point = 1; point <= 4; ++point)
                for (PointStep* step :
                     {static_cast<PointStep*>(&steps.ventas), static_cast<PointStep*>(&steps.recibos),
                      static_cast<PointStep*>(&steps.traslados), static_cast<PointStep*>(&steps.egresos)})
                    send(*step, point, date);
            sendCustomers(date);
        }
    }
    void sendCustomers(const QDate& date) {
        session.run.setDate(date);
        steps.clientes.send(session.run);
    }
    // Both companies give the same answer to a statement.
    void expectSameIn(const char* what, const QString& sql) { EXPECT_EQ(central(sql), origin(sql)) << what; }
};

TEST_F(CopiesTest, EveryDocumentOfTheDemoDaysArrivesOnceWhenTheDaysAreSentTwice) {
    const QDate first(2024, 3, 1);
    const QDate last(2024, 3, 3);
    sendAll(first, last);
    sendAll(first, last);

    // The second pass only finds every day's invoice paid: 4 points, 3 days.
    EXPECT_EQ(messages.recorded().size(), 12);
    for (const platform::RecordedMessage& message : messages.recorded())
        EXPECT_TRUE(message.text.contains(QLatin1String(" ya abono la factura ")))
            << message.text.toStdString();
    EXPECT_EQ(countCentral("select count(*) from facturas"), 12);
    EXPECT_EQ(countCentral("select count(*) from envio_resumdia"), 12);
    EXPECT_EQ(countCentral("select count(*) from recibos_caja"), 12);
    ASSERT_GT(countCentral("select count(*) from traslados_caja"), 0);
    ASSERT_GT(countCentral("select count(*) from egresos"), 0);
    expectSameIn("transfers",
                 "select t.pref_pre, t.trcj_fecha, t.trcj_conc, t.caja_id, t.trcj_destino, "
                 "t.trcj_usuario, d.trcd_item, d.fopa_id, d.trcd_banco, d.trcd_numero, d.trcd_monto "
                 "from traslados_caja t join traslados_caja_det d on d.trcj_id = t.trcj_id "
                 "order by t.trcj_fecha, t.caja_id, d.trcd_item");
    expectSameIn("disbursements",
                 "select e.pref_pre, e.egre_numero, e.egre_fecha, e.egre_conc, e.egre_monto, "
                 "e.egre_tipo, e.caja_id, c.egca_item, c.fopa_id, c.egca_monto from egresos e "
                 "join egresos_caja c on c.egre_id = e.egre_id order by e.egre_numero, c.egca_item");
    expectSameIn("disbursement documents", "select e.egre_numero, d.egde_item, d.egde_prefijo, d.egde_abono "
                                           "from egresos e join egresos_detalle d on d.egre_id = e.egre_id "
                                           "order by e.egre_numero, d.egde_item");
    expectSameIn("third parties", "select * from terceros order by terc_nit");
    expectSameIn("customers", "select * from clientes order by terc_nit");
    // Every transfer is posted once to each ledger, also after it was sent again.
    EXPECT_EQ(countCentral("select count(*) from contable where tido_cod = 66"),
              2 * countCentral("select count(*) from traslados_caja"));
    EXPECT_EQ(countCentral("select count(*) from traslados_caja t where not exists (select 1 from contable c "
                           "where c.tido_cod = 66 and c.cnt_iddoc = t.trcj_id and c.cnt_libro = 'N')"),
              0);
    EXPECT_EQ(
        session.progress.shown().mid(session.progress.shown().size() - 3),
        (QStringList{"Enviando traslados de caja de 2024/03/03", "Enviando Egresos de caja de 2024/03/03",
                     "Enviando clientes creados en 2024/03/03"}));
}

// A transfer line paid otherwise than in cash is written only while its bank document is in the transfer's
// cash box in the destination.
struct ChequeLine {
    const char* name;
    const char* documentInDestination; // dpca_tiposal, dpca_idsal; null for none
    QStringList lines;                 // item|form|amount
    int sends = 1;
};

void PrintTo(const ChequeLine& param, std::ostream* out) {
    *out << param.name;
}

const ChequeLine kChequeLines[] = {
    {"DocumentInTheBox", "0, 0", {"1|1|50000", "2|2|70000"}},
    {"DocumentTakenOutByAnother", "66, 999", {"1|1|50000"}},
    {"NoDocument", nullptr, {"1|1|50000"}},
    {"DocumentThisTransferTookOutWhenSentBefore", "0, 0", {"1|1|50000", "2|2|70000"}, 2},
};

class ChequeLineTest : public CopiesTest, public testing::WithParamInterface<ChequeLine> {};

TEST_P(ChequeLineTest, IsCopiedOnlyWhileItsDocumentIsInTheBox) {
    Business business(session.origin(), kQuietDay, QStringLiteral("19:00:00"));
    business.transfer(
        QStringLiteral("T001"), QStringLiteral("000050"), 1, 3,
        {{1, money(50000), {}, {}, {}},
         {2, money(70000), QStringLiteral("07"), QStringLiteral("0400123"), QStringLiteral("CH77")}});
    business.commit();
    if (GetParam().documentInDestination)
        session.central().execute(
            QStringLiteral(
                "insert into documentos_pago_caja (dpca_id, caja_id, fopa_id, dpca_banco, dpca_cuenta, "
                "dpca_numero, dpca_monto, dpca_tiposal, dpca_idsal) values (500, 1, 2, '07', "
                "'0400123', 'CH77', 70000, %1)")
                .arg(QLatin1String(GetParam().documentInDestination)));

    for (int pass = 0; pass < GetParam().sends; ++pass)
        send(steps.traslados, 1, kQuietDay);

    // A new document: the destination numbered it and posted it.
    EXPECT_EQ(
        central("select pref_pre, trcj_numero, numok, trcj_fecha, caja_id, trcj_destino from traslados_caja"),
        QStringList{"T001|000001|S|2024/03/10|1|3"});
    EXPECT_EQ(central("select trcd_item, fopa_id, trcd_monto from traslados_caja_det order by trcd_item"),
              GetParam().lines);
    EXPECT_EQ(countCentral("select count(*) from contable where tido_cod = 66"), 2);
    EXPECT_EQ(session.progress.shown().last(), "Enviando traslados de caja de 2024/03/10");
}

INSTANTIATE_TEST_SUITE_P(Documents, ChequeLineTest, testing::ValuesIn(kChequeLines),
                         [](const testing::TestParamInfo<ChequeLine>& info) { return info.param.name; });

TEST_F(CopiesTest, ATransferFoundUnderAHandNumberedPrefixIsOverwrittenWithItsLinesNotAddedTo) {
    session.central().execute(
        "update prefijos set pref_auto = 'N' where tido_cod = 66 and pref_pre = 'T001'");
    {
        Business found(session.central(), QDate(2024, 3, 9), QStringLiteral("08:00:00"));
        found.transfer(
            QStringLiteral("T001"), QStringLiteral("000050"), 3, 1,
            {{1, money(1000), {}, {}, {}}, {1, money(2000), {}, {}, {}}, {1, money(3000), {}, {}, {}}});
        found.commit();
    }
    const QString key = central("select trcj_id from traslados_caja").value(0);
    Business business(session.origin(), kQuietDay, QStringLiteral("19:00:00"));
    business.transfer(QStringLiteral("T001"), QStringLiteral("000050"), 1, 3,
                      {{1, money(50000), {}, {}, {}}, {1, money(25000), {}, {}, {}}});
    business.commit();

    send(steps.traslados, 1, kQuietDay);
    send(steps.traslados, 1, kQuietDay);

    EXPECT_EQ(central("select trcj_id, trcj_numero, trcj_fecha, caja_id, trcj_destino from traslados_caja"),
              QStringList{key + "|000050|2024/03/10|1|3"});
    EXPECT_EQ(central("select trcd_item, trcd_monto from traslados_caja_det order by trcd_item"),
              (QStringList{"1|50000", "2|25000"}));
}

TEST_F(CopiesTest, TransfersAlikeUnderAnAutomaticPrefixStayApartWhenSentAgain) {
    Business business(session.origin(), kQuietDay, QStringLiteral("19:00:00"));
    for (int monto : {40000, 60000})
        business.transfer(QStringLiteral("T001"), QStringLiteral("000000"), 1, 3,
                          {{1, money(monto), {}, {}, {}}});
    business.commit();

    for (int pass = 0; pass < 3; ++pass)
        send(steps.traslados, 1, kQuietDay);

    EXPECT_EQ(central("select t.trcj_numero, d.trcd_monto from traslados_caja t join traslados_caja_det d on "
                      "d.trcj_id = t.trcj_id order by t.trcj_id"),
              (QStringList{"000001|40000", "000002|60000"}));
}

TEST_F(CopiesTest, ATransferTheDestinationRefusesIsNeitherWrittenNorPostedAndTheNextOneIs) {
    session.central().execute("create exception e_traslado_rechazado 'Traslado rechazado'");
    session.central().execute("create trigger traslado_rechazado for traslados_caja before insert as begin "
                              "if (new.trcj_destino = 4) then exception e_traslado_rechazado; end");
    Business business(session.origin(), kQuietDay, QStringLiteral("19:00:00"));
    business.transfer(QStringLiteral("T001"), QStringLiteral("000000"), 1, 4,
                      {{1, money(10000), {}, {}, {}}});
    business.transfer(QStringLiteral("T001"), QStringLiteral("000000"), 1, 3,
                      {{1, money(20000), {}, {}, {}}});
    business.commit();

    send(steps.traslados, 1, kQuietDay);

    EXPECT_EQ(central("select trcj_destino, trcj_numero from traslados_caja"), QStringList{"3|000001"});
    EXPECT_EQ(countCentral("select count(*) from contable where tido_cod = 66"), 2);
    ASSERT_EQ(messages.recorded().size(), 2); // the data module's beep and error box
    EXPECT_TRUE(messages.recorded().at(1).text.contains(QLatin1String("Traslado rechazado")))
        << messages.recorded().at(1).text.toStdString();
}

TEST_F(CopiesTest, ADisbursementPaidInTwoRowsFromTheBoxIsCopiedOnceWithEmptyAmountsAsZero) {
    Business business(session.origin(), kQuietDay, QStringLiteral("16:00:00"));
    business.disbursement(QStringLiteral("E001"), QStringLiteral("000040"),
                          {{1, money(30000)}, {1, money(12000)}});
    business.commit();

    send(steps.egresos, 1, kQuietDay);

    EXPECT_EQ(central("select pref_pre, egre_numero, numok, egre_monto, egre_rtftemonto, egre_trm, "
                      "egre_tipomovbco, egre_fecha from egresos"),
              QStringList{"E001|000040|S|42000|0|0||2024/03/10"});
    EXPECT_EQ(central("select egca_item, caja_id, egca_monto from egresos_caja order by egca_item"),
              (QStringList{"1|1|30000", "2|1|12000"}));
    EXPECT_EQ(central("select egde_item, egde_abono, egde_rtfte from egresos_detalle"),
              QStringList{"1|42000|0"});
    EXPECT_EQ(countCentral("select count(*) from contable"), 0); // disbursements are not posted
    EXPECT_EQ(session.progress.shown().last(), "Enviando Egresos de caja de 2024/03/10");
}

// Every amount of a disbursement differs from the others, so that each must land in its own column.
TEST_F(CopiesTest, EachAmountOfADisbursementArrivesInItsOwnColumn) {
    Business business(session.origin(), kQuietDay, QStringLiteral("16:00:00"));
    const Value id = business.disbursement(QStringLiteral("E001"), QStringLiteral("000041"),
                                           {{1, money(30000)}, {1, money(12000)}});
    business.execute("update egresos set egre_rtftemonto = 1050.10, egre_rtivamonto = 630.20, "
                     "egre_rticamonto = 290.30, egre_dtof = 410.40, egre_trm = 3.90 where egre_id = ?",
                     {id});
    business.execute(
        "update egresos_detalle set egde_abono = 44381, egde_rtfte = 1050.10, egde_rtiva = 630.20, "
        "egde_rtica = 290.30, egde_dtof = 410.40, egde_difcambio = 7.70 where egre_id = ?",
        {id});
    business.commit();

    send(steps.egresos, 1, kQuietDay);

    EXPECT_EQ(central("select egre_monto, egre_rtftemonto, egre_rtivamonto, egre_rticamonto, egre_dtof, "
                      "egre_trm from egresos"),
              QStringList{"42000|1050.1|630.2|290.3|410.4|3.9"});
    EXPECT_EQ(central("select egde_abono, egde_rtfte, egde_rtiva, egde_rtica, egde_dtof, egde_difcambio "
                      "from egresos_detalle"),
              QStringList{"44381|1050.1|630.2|290.3|410.4|7.7"});
    EXPECT_EQ(central("select egca_item, egca_monto from egresos_caja order by egca_item"),
              (QStringList{"1|30000", "2|12000"}));
}

TEST_F(CopiesTest, ACustomerCreatedAndChangedTheSameDayArrivesAsLastChanged) {
    {
        Business business(session.origin(), kQuietDay, QStringLiteral("09:00:00"));
        business.execute(
            "insert into terceros (terc_nit, terc_nombre, terc_ciudad) values ('900555', 'NUEVA SAS', "
            "'CALI')");
        business.execute("insert into clientes (terc_nit, lipr_cod, clie_cupo) values ('900555', 2, 500000)");
        business.commit();
    }
    {
        Business business(session.origin(), kQuietDay, QStringLiteral("15:00:00"));
        business.execute("update terceros set terc_nombre = 'NUEVA Y MEJOR SAS' where terc_nit = '900555'");
        business.execute("update clientes set clie_cupo = 750000 where terc_nit = '79456123'");
        business.commit();
    }
    session.central().execute("update clientes set clie_cupo = 1 where terc_nit = '79456123'");

    sendCustomers(kQuietDay);

    EXPECT_EQ(central("select terc_nit, terc_nombre, terc_ciudad from terceros where terc_nit = '900555'"),
              QStringList{"900555|NUEVA Y MEJOR SAS|CALI"});
    EXPECT_EQ(
        central("select terc_nit, lipr_cod, clie_cupo from clientes where terc_nit in ('900555', '79456123') "
                "order by terc_nit"),
        (QStringList{"79456123|1|750000", "900555|2|500000"}));
    EXPECT_EQ(session.progress.shown().last(), "Enviando clientes creados en 2024/03/10");
    EXPECT_TRUE(messages.recorded().isEmpty());
}

} // namespace
} // namespace quelmaro::test
