#include "data/fb/transaction.h"
#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;
using test::Results;

namespace {

// One day of point 1 sent from the branch company to the central one the way the transmission writes it:
// a summary invoice of the sales summary, a receipt of the payments summary, both posted. The central
// company's figures and ledger must then show the branch's day.
class TransmittedDay : public testing::Test {
protected:
    void SetUp() override {
        test::demo::copyInto(root);
        origin = test::openDatabase(root.database("01"));
        central = test::openDatabase(root.database("00"));
    }

    Value centralValue(const QString& sql, const QList<Value>& params = {}) {
        return test::single(*central, sql, params);
    }

    // The summary invoice and its lines in one transaction; returns its key.
    int sendSales() {
        const Results lines(origin->query("select * from RESUMEN_VENTAS_TX(?, 1, '00:00:00')", {day}));
        EXPECT_GT(lines.size(), 0);
        const int id = int(central->execute("execute procedure cambie_id_factura").at(0).toInt());
        auto transaction = central->startTransaction();
        const Value prefix = lines.at(0, "PREFIJO");
        const Value ivaIncluded =
            centralValue("select pref_ivainc from prefijos where tido_cod = 31 and pref_pre = ?", {prefix});
        transaction->execute("insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero,"
                             " fact_fecha, fact_vence, fact_ivainc, fact_dtopor, fact_dtomonto,"
                             " fact_adicional, fact_rtftepor, fact_rtivapor, fact_rticapor, fact_extra,"
                             " fact_dtofpor, fact_dtoffecha, pref_pre, fact_anulado, fact_transmit, bode_cod,"
                             " numok, fact_sucursal, fact_usuario, fact_recibido)"
                             " values (?, 1, ?, '222222222222', '000001', ?, ?, ?, 0, 0, 0, 0, 0, 0, 0, 0,"
                             " ?, ?, 'N', 'N', '01', 'N', '01', 'SYSDBA', 0)",
                             {id, lines.at(0, "VENDEDOR"), day, day, ivaIncluded, day, prefix});
        Fixed total;
        Fixed taxes;
        for (qsizetype r = 0; r < lines.size(); ++r) {
            const Fixed lineTotal = lines.money(r, "CANTIDAD") * lines.money(r, "PRECIO") +
                                    lines.money(r, "IVA") + lines.money(r, "CONSUMO");
            const Value rate = centralValue("select taiv_porc from articulo a, tarifa_iva t"
                                            " where a.taiv_cod = t.taiv_cod and arti_cod = ?",
                                            {lines.at(r, "ARTICULO")});
            transaction->execute("insert into facturas_detalle (fact_id, fade_item, bode_cod, arti_cod,"
                                 " fade_cant, fade_unidad, fade_prunit, fade_dtoporc, fade_ivaporc,"
                                 " fade_ivamonto, fade_consumo, fade_factor, fade_codbar, fade_remisionado,"
                                 " fade_devuelto, fade_total, lipr_cod, fade_anulado, fade_transmit)"
                                 " values (?, ?, '01', ?, ?, ?, ?, 0, ?, ?, ?, 1, ?, 0, 0, ?, 1, 'N', 'N')",
                                 {id, int(r + 1), lines.at(r, "ARTICULO"), lines.at(r, "CANTIDAD"),
                                  lines.at(r, "UNIDAD"), lines.at(r, "PRECIO"), rate, lines.at(r, "IVA"),
                                  lines.at(r, "CONSUMO"), lines.at(r, "ARTICULO"), lineTotal});
            total += lineTotal;
            taxes += lines.money(r, "IVA");
        }
        transaction->execute("update facturas set fact_total = ?, fact_ivamonto = ? where fact_id = ?",
                             {total.roundedToPowerOfTen(-2), taxes.roundedToPowerOfTen(-2), id});
        transaction->commit();
        return id;
    }

    // The receipt paying that invoice with what was paid at the counter; returns its key.
    int sendPayments(int invoice) {
        const Results payments(origin->query("select * from RESUMEN_CAJA_TX(?, 1, '00:00:00')", {day}));
        Fixed paid;
        for (qsizetype r = 0; r < payments.size(); ++r)
            paid += payments.money(r, "MONTO");
        const int id = int(central->execute("execute procedure cambie_id_recicaja").at(0).toInt());
        const fb::Row prefix =
            central
                ->query("select a.auto_prefrdc, p.pref_actual from autorizaciones a"
                        " join prefijos p on p.tido_cod = 61 and p.pref_pre = a.auto_prefrdc"
                        " where a.pref_pre = 'F001'")
                .rows.at(0);
        const fb::Row paidInvoice =
            central->query("select pref_pre, fact_numero from facturas where fact_id = ?", {invoice})
                .rows.at(0);
        auto transaction = central->startTransaction();
        transaction->execute("insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, reca_numero,"
                             " reca_fecha, reca_conc, reca_monto, reca_rtftemonto, reca_rtivamonto,"
                             " reca_rticamonto, reca_dtof, terc_nit, reca_anulado, reca_transmit, cobr_cod,"
                             " reca_usuario, numok) values (?, 1, 61, ?, ?, ?, 'Cancela ventas contado', ?,"
                             " 0, 0, 0, 0, '222222222222', 'N', 'N', 11, 'SYSDBA', 'N')",
                             {id, prefix.at(0), prefix.at(1), day, paid});
        transaction->execute("insert into recibos_caja_detalle (reca_id, rcde_item, rcde_tipodoc, rcde_iddoc,"
                             " rcde_prefijo, rcde_numero, rcde_abono, rcde_rtfte, rcde_rtiva, rcde_rtica,"
                             " rcde_dtof, rcde_anulado, rcde_transmit, rcde_sucursal)"
                             " values (?, 1, 31, ?, ?, ?, ?, 0, 0, 0, 0, 'N', 'N', '01')",
                             {id, invoice, paidInvoice.at(0), paidInvoice.at(1), paid});
        for (qsizetype r = 0; r < payments.size(); ++r) {
            const Value bank = payments.at(r, "BANCO");
            transaction->execute(
                "insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_banco,"
                " rcpa_cuenta, rcpa_numero, rcpa_fecha, rcpa_monto, rcpa_anulado,"
                " rcpa_transmit, rcpa_ivamonto) values (?, ?, ?, ?, ?, ?, ?, ?, 'N', 'N', 0)",
                {id, int(r + 1), payments.at(r, "FORMA"),
                 bank.isNull() ? Value() : Value(bank.toString().left(2)), payments.at(r, "CUENTA"),
                 payments.at(r, "NUMERO"), day, payments.at(r, "MONTO")});
        }
        transaction->commit();
        return id;
    }

    // Posts a document through the interface of its prefix to both ledgers and hands it over.
    void post(const char* procedure, const QString& interfaceLookup, int key) {
        const Value interfaz = centralValue(interfaceLookup);
        const Results local(
            central->query(QStringLiteral("select * from %1(?, ?, 0)").arg(procedure), {key, interfaz}));
        ASSERT_EQ(local.at(0, "ERRORES").toInt(), 0) << procedure;
        const Value idcnt = local.at(0, "IDCNT");
        const Results niif(central->query(QStringLiteral("select * from %1_niif(?, ?, ?)").arg(procedure),
                                          {key, interfaz, idcnt}));
        ASSERT_EQ(niif.at(0, "ERRORES").toInt(), 0) << procedure;
        central->execute("execute procedure contabiliza_pendiente(?)", {idcnt});
    }

    const QDate day = test::demo::kLastDay;
    test::CompanyRoot root;
    std::unique_ptr<fb::Connection> origin;
    std::unique_ptr<fb::Connection> central;
};

TEST_F(TransmittedDay, CentralFiguresAndLedgerShowTheBranchDay) {
    const int invoice = sendSales();
    const int receipt = sendPayments(invoice);
    post("contabil_factura",
         "select min(inve_id) from interfaz_ventas where tido_cod = 31 and pref_pre = 'F001'", invoice);
    post("contabil_recicaja",
         "select min(incj_id) from interfaz_caja where tido_cod = 61 and pref_pre = 'R001'", receipt);

    EXPECT_EQ(centralValue("select fact_numero || numok from facturas where fact_id = ?", {invoice}),
              Value("000001S"));
    EXPECT_EQ(centralValue("select rcde_numero from recibos_caja_detalle where reca_id = ?", {receipt}),
              Value("000001"));

    const Results branch(origin->query("select * from resumen_dia(?, 1, 1, 0)", {day}));
    const Results seen(central->query("select * from resumen_dia(?, 1, 1, 0)", {day}));
    ASSERT_EQ(branch.size(), 1);
    ASSERT_EQ(seen.size(), 1);
    for (const char* column :
         {"VTATOTALDIA", "VTAEXENTADIA", "VTAGRAVA16DIA", "VTAGRAVA10DIA", "IVA16DIA", "IVA10DIA"})
        EXPECT_EQ(seen.money(0, column), branch.money(0, column)) << column;
    // The central company sold on account and was paid by the receipt what the counter took in.
    EXPECT_EQ(seen.money(0, "VTACREDDIA"), branch.money(0, "VTATOTALDIA"));
    EXPECT_EQ(seen.money(0, "INGCARTERA"), branch.money(0, "VTACONTDIA"));

    // What the branch sold on account is what the central ledger still has to collect.
    EXPECT_EQ(
        centralValue("select sum(d.code_debito - d.code_credito) from contable_detalle d join contable c"
                     " on c.cnt_id = d.cnt_id where c.cnt_libro = 'L' and d.cuen_cod = '130505'")
            .toFixed(),
        branch.money(0, "VTACREDDIA"));
    // The consumption tax the branch charged is owed in the central ledger, none of it taken as rounding.
    const Fixed consumo = test::single(*origin,
                                       "select sum(d.fade_consumo) from facturas_detalle d join facturas f"
                                       " on f.fact_id = d.fact_id where f.ptvt_id = 1 and f.fact_fecha = ?",
                                       {day})
                              .toFixed();
    EXPECT_GT(consumo, Fixed());
    const auto balance = [&](const char* account) {
        return centralValue("select coalesce(sum(d.code_credito - d.code_debito), 0) from contable_detalle d"
                            " join contable c on c.cnt_id = d.cnt_id where c.cnt_libro = 'L'"
                            " and d.cuen_cod = ?",
                            {QString::fromLatin1(account)})
            .toFixed();
    };
    EXPECT_EQ(balance("246405"), consumo);
    EXPECT_EQ(balance("429581"), Fixed());
    EXPECT_EQ(
        centralValue("select sum(d.code_debito) - sum(d.code_credito) from contable_detalle d").toFixed(),
        Fixed());
    EXPECT_EQ(centralValue("select count(*) from contable where cnt_pendiente = 'S'").toInt(), 0);
}

TEST_F(TransmittedDay, SendRecordTakesTheTimeAsText) {
    central->execute(
        "insert into envio_resumdia(ptvt_id, enre_fecha, enre_hora, enre_factid) values(1,'2024/03/03',"
        "'19:45:10',7)");
    EXPECT_EQ(
        centralValue(
            "SELECT MAX(ENRE_HORA) FROM envio_resumdia WHERE ENRE_FECHA = '2024/03/03' AND PTVT_ID = 1"),
        Value("19:45:10"));
    EXPECT_ANY_THROW(
        central->execute("insert into envio_resumdia(ptvt_id, enre_fecha, enre_hora, enre_factid)"
                         " values(1,'2024/03/03','7 pm',8)"));
}

} // namespace
