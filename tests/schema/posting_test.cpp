#include "data/fb/error.h"
#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;
using test::Results;

namespace {

struct DocumentKind {
    const char* name;
    int type;
    const char* posting;  // the posting procedure, with "_niif" for the NIIF ledger
    const char* document; // selects a demo document's key and its interface
};

void PrintTo(const DocumentKind& kind, std::ostream* out) {
    *out << kind.name;
}

// A demo company of its own: the tests post and break interfaces.
class Posting : public testing::TestWithParam<DocumentKind> {
protected:
    static void SetUpTestSuite() {
        root = new test::CompanyRoot;
        test::demo::copyInto(*root);
        // A receipt and a transfer, each of cash and of a cheque.
        auto connection = test::openDatabase(root->database("01"));
        connection->execute(
            "insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_anulado,"
            " caja_id, trcj_destino, numok) values (9000, 'T001', '000001', '2024/03/02', 'N', 1, 2, 'N')");
        connection->execute("insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_monto)"
                            " values (9000, 1, 1, 120000)");
        connection->execute(
            "insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_banco, trcd_cuenta,"
            " trcd_numero, trcd_monto) values (9000, 2, 2, '07', '1', '2', 45000.50)");
        connection->execute(
            "insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, reca_numero, reca_fecha,"
            " reca_monto, terc_nit, reca_anulado, numok) values (9000, 1, 61, 'R001', '000001',"
            " '2024/03/02', 80000, '79456123', 'N', 'N')");
        connection->execute(
            "insert into recibos_caja_detalle (reca_id, rcde_item, rcde_tipodoc, rcde_iddoc, rcde_abono,"
            " rcde_rtfte, rcde_sucursal) values (9000, 1, 31, 1, 78000, 2000, '01')");
        connection->execute("insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_monto)"
                            " values (9000, 1, 1, 50000)");
        connection->execute(
            "insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_banco, rcpa_numero,"
            " rcpa_monto) values (9000, 2, 2, '51', 'CH-1', 30000)");
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }
    static inline test::CompanyRoot* root = nullptr;

    void SetUp() override {
        connection = test::openDatabase(root->database("01"));
        const fb::Row row = connection->query(GetParam().document).rows.at(0);
        key = int(row.at(0).toInt());
        interfaz = int(row.at(1).toInt());
    }
    Results post(const QString& ledger, int origin) {
        return Results(
            connection->query(QStringLiteral("select * from %1%2(?, ?, ?)").arg(GetParam().posting, ledger),
                              {key, interfaz, origin}));
    }
    Value value(const QString& sql, const QList<Value>& params) {
        return test::single(*connection, sql, params);
    }

    std::unique_ptr<fb::Connection> connection;
    int key = 0;
    int interfaz = 0;
};

TEST_P(Posting, BothLedgersBalanceAndArePendingUntilHandedOver) {
    const Results local = post("", 0);
    ASSERT_EQ(local.size(), 1);
    EXPECT_EQ(local.at(0, "ERRORES").toInt(), 0);
    const int idcnt = int(local.at(0, "IDCNT").toInt());
    ASSERT_GT(idcnt, 0);
    EXPECT_GE(local.at(0, "MOVIMIENTOS").toInt(), 2);

    const Results niif = post("_niif", idcnt);
    EXPECT_EQ(niif.at(0, "ERRORES").toInt(), 0);
    EXPECT_EQ(
        value("select count(*) from contable where cnt_libro = 'N' and cnt_origen = ?", {idcnt}).toInt(), 1);

    for (const int posting : {idcnt, int(niif.at(0, "IDCNT").toInt())}) {
        EXPECT_EQ(value("select sum(code_debito) - sum(code_credito) from contable_detalle where cnt_id = ?",
                        {posting})
                      .toFixed(),
                  Fixed());
        EXPECT_GT(
            value("select sum(code_debito) from contable_detalle where cnt_id = ?", {posting}).toFixed(),
            Fixed());
    }
    EXPECT_EQ(
        value("select count(*) from contable where cnt_pendiente = 'S' and (cnt_id = ? or cnt_origen = ?)",
              {idcnt, idcnt})
            .toInt(),
        2);
    connection->execute("execute procedure contabiliza_pendiente(?)", {idcnt});
    EXPECT_EQ(
        value("select count(*) from contable where cnt_pendiente = 'S' and (cnt_id = ? or cnt_origen = ?)",
              {idcnt, idcnt})
            .toInt(),
        0);
}

TEST_P(Posting, PostingAgainReplacesTheEarlierPosting) {
    const int first = int(post("", 0).at(0, "IDCNT").toInt());
    post("_niif", first);
    const int second = int(post("", 0).at(0, "IDCNT").toInt());
    EXPECT_NE(first, second);
    EXPECT_EQ(
        value("select count(*) from contable where tido_cod = ? and cnt_iddoc = ?", {GetParam().type, key})
            .toInt(),
        1);
}

TEST_P(Posting, AMissingAccountIsRecordedAndCountedAndNothingIsPosted) {
    // Every kind moves money through this account of its interface.
    const QString table = GetParam().type == 31 ? "interfaz_ventas" : "interfaz_caja";
    const QString id = GetParam().type == 31 ? "inve_id" : "incj_id";
    const QString account = GetParam().type == 31 ? "inve_ctaclientes" : "incj_ctaefectivo";
    const QString change = QStringLiteral("update %1 set %2 = ? where %3 = ?").arg(table, account, id);
    const Value kept =
        value(QStringLiteral("select %1 from %2 where %3 = ?").arg(account, table, id), {interfaz});
    const QString postings = "select count(*) from contable where tido_cod = ? and cnt_iddoc = ?";
    const auto postingsBefore = value(postings, {GetParam().type, key}).toInt();

    connection->execute(change, {Value(), interfaz});
    const Results missing = post("", 0);
    connection->execute(change, {"999999", interfaz});
    const Results unknown = post("", 0);
    connection->execute(change, {kept, interfaz});

    for (const Results& result : {missing, unknown}) {
        EXPECT_GE(result.at(0, "ERRORES").toInt(), 1);
        EXPECT_EQ(result.at(0, "IDCNT").toInt(), 0);
    }
    const QString errors = "select count(*) from errores where erro_tipodoc = ? and erro_iddoc = ?";
    EXPECT_EQ(value(errors, {GetParam().type, key}), unknown.at(0, "ERRORES")) << "the last attempt's errors";
    EXPECT_TRUE(value("select list(erro_codigo || ':' || erro_cadena) from errores where erro_tipodoc = ?"
                      " and erro_iddoc = ?",
                      {GetParam().type, key})
                    .toString()
                    .contains("4:La cuenta 999999 de "));
    EXPECT_EQ(value(postings, {GetParam().type, key}).toInt(), postingsBefore);
}

TEST_P(Posting, NiifPostingOfAnotherPostingIsAnErrorOfItsOwnType) {
    const QString errors = "select count(*) from errores where erro_tipodoc = ? and erro_iddoc = ?";
    const Value localErrors = value(errors, {GetParam().type, key});
    const Results niif = post("_niif", 999999);
    EXPECT_EQ(niif.at(0, "ERRORES").toInt(), 1);
    EXPECT_EQ(value(errors, {1000 + GetParam().type, key}).toInt(), 1);
    EXPECT_EQ(value(errors, {GetParam().type, key}), localErrors);
}

const DocumentKind kKinds[] = {
    {"factura", 31, "contabil_factura",
     "select first 1 f.fact_id, i.inve_id from facturas f join interfaz_ventas i on i.tido_cod = 31"
     " and i.pref_pre = f.pref_pre where exists (select 1 from facturas_detalle d where d.fact_id = f.fact_id"
     " and d.fade_ivaporc = 16) order by f.fact_id"},
    {"recibo", 61, "contabil_recicaja",
     "select first 1 r.reca_id, i.incj_id from recibos_caja r join interfaz_caja i on i.tido_cod = 61"
     " and i.pref_pre = r.pref_pre order by r.reca_id desc"},
    {"traslado", 66, "contabil_traslacaja",
     "select first 1 t.trcj_id, i.incj_id from traslados_caja t join interfaz_caja i on i.tido_cod = 66"
     " and i.pref_pre = t.pref_pre order by t.trcj_id desc"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, Posting, testing::ValuesIn(kKinds));

TEST(PendingPosting, HandingOverAPostingThatDoesNotExistFails) {
    test::CompanyRoot root;
    test::demo::copyInto(root);
    auto connection = test::openDatabase(root.database("00"));
    try {
        connection->execute("execute procedure contabiliza_pendiente(12345)");
        FAIL() << "no error";
    } catch (const fb::DatabaseError& error) {
        EXPECT_TRUE(error.message().contains("No existe el comprobante contable 12345")) << error.what();
    }
}

} // namespace
