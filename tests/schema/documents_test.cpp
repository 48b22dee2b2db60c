#include "data/fb/transaction.h"
#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <set>

using namespace quelmaro;

namespace {

// A company of its own for the tests that write.
class Documents : public testing::Test {
protected:
    test::CompanyRoot root;
    std::unique_ptr<fb::Connection> connection = [this] {
        test::demo::copyInto(root);
        return test::openDatabase(root.database("00")); // the central company: masters, no business
    }();

    // An invoice of point 1 with prefix F001; returns its key.
    int insertInvoice(const QString& number, const QString& numok) {
        const int id = int(connection->execute("execute procedure cambie_id_factura").at(0).toInt());
        connection->execute(
            "insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, fact_fecha,"
            " fact_ivainc, pref_pre, fact_anulado, fact_total, numok)"
            " values (?, 1, 11, '222222222222', ?, '2024/03/01', 'N', 'F001', 'N', 0, ?)",
            {id, number, numok});
        return id;
    }

    Value value(const QString& sql, const QList<Value>& params = {}) {
        return test::single(*connection, sql, params);
    }
};

TEST_F(Documents, KeyProceduresNeverGiveAKeyTwice) {
    for (const char* procedure :
         {"cambie_id_factura", "cambie_id_recicaja", "cambie_id_traslacaja", "cambie_id_egreso"}) {
        std::set<std::int64_t> keys;
        for (int call = 0; call < 20; ++call)
            keys.insert(
                connection->execute(QStringLiteral("execute procedure %1").arg(procedure)).at(0).toInt());
        // A key handed out in a transaction that is rolled back is not handed out again.
        {
            auto transaction = connection->startTransaction();
            keys.insert(
                transaction->execute(QStringLiteral("execute procedure %1").arg(procedure)).at(0).toInt());
            transaction->rollback();
        }
        keys.insert(connection->execute(QStringLiteral("execute procedure %1").arg(procedure)).at(0).toInt());
        EXPECT_EQ(keys.size(), 22u) << procedure;
        EXPECT_GT(*keys.begin(), 0) << "key 0 marks a stranded document";
    }
}

TEST_F(Documents, WrittenWithNumokNTheyTakeTheNextNumberOfTheirPrefix) {
    const int first = insertInvoice("000001", "N");
    const int second = insertInvoice("000001", "N");
    EXPECT_EQ(value("select fact_numero || numok from facturas where fact_id = ?", {first}),
              Value("000001S"));
    EXPECT_EQ(value("select fact_numero || numok from facturas where fact_id = ?", {second}),
              Value("000002S"));
    EXPECT_EQ(value("select pref_actual from prefijos where tido_cod = 31 and pref_pre = 'F001'"),
              Value("000003"));

    // A document already numbered keeps its number and leaves the prefix alone.
    const int numbered = insertInvoice("000777", "S");
    EXPECT_EQ(value("select fact_numero from facturas where fact_id = ?", {numbered}), Value("000777"));
    EXPECT_EQ(value("select pref_actual from prefijos where tido_cod = 31 and pref_pre = 'F001'"),
              Value("000003"));
}

TEST_F(Documents, PrefixesNumberedByHandKeepTheGivenNumber) {
    connection->execute(
        "insert into egresos (egre_id, tido_cod, pref_pre, egre_numero, egre_fecha, egre_anulado,"
        " egre_tipo, caja_id, numok) values (1, 62, 'E001', '000042', '2024/03/01', 'N', 'G', 1, 'N')");
    connection->execute(
        "insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_anulado, caja_id,"
        " trcj_destino, numok) values (1, 'T001', '000042', '2024/03/01', 'N', 1, 3, 'N')");
    EXPECT_EQ(value("select egre_numero from egresos where egre_id = 1"), Value("000042"));
    EXPECT_EQ(value("select trcj_numero from traslados_caja where trcj_id = 1"), Value("000001"));
    EXPECT_EQ(value("select pref_actual from prefijos where tido_cod = 66 and pref_pre = 'T001'"),
              Value("000002"));
}

TEST_F(Documents, InsertedDocumentsAndChangedPeopleAreAudited) {
    const int invoice = insertInvoice("000001", "N");
    connection->execute(
        "insert into egresos (egre_id, tido_cod, pref_pre, egre_numero, egre_fecha, egre_anulado,"
        " egre_tipo, caja_id, numok) values (5, 62, 'E001', '000001', '2024/03/01', 'N', 'G', 1, 'S')");
    connection->execute(
        "insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_anulado, caja_id,"
        " trcj_destino, numok) values (6, 'T001', '000001', '2024/03/01', 'N', 1, 3, 'N')");
    connection->execute(
        "insert into terceros (terc_nit, terc_nombre) values ('900555', 'FERRETERIA EL CLAVO')");
    connection->execute("insert into clientes (terc_nit) values ('900555')");
    connection->execute("update terceros set terc_telefono = '6015551234' where terc_nit = '900555'");
    connection->execute("update clientes set clie_cupo = 200000 where terc_nit = '900555'");

    const QString today = " and audi_fecha = current_date and audi_hora is not null";
    auto audited = [&](const QString& where, const QList<Value>& params) {
        return value("select count(*) from auditoria where " + where + today, params).toInt();
    };
    EXPECT_EQ(audited("tido_cod = 31 and audi_oper = 'I' and audi_iddoc = ?", {invoice}), 1);
    EXPECT_EQ(audited("tido_cod = 62 and audi_oper = 'I' and audi_iddoc = ?", {5}), 1);
    EXPECT_EQ(audited("tido_cod = 66 and audi_oper = 'I' and audi_iddoc = ?", {6}), 1);
    for (const int type : {102, 103}) {
        EXPECT_EQ(audited("tido_cod = ? and audi_oper = 'I' and audi_cod = '900555'", {type}), 1) << type;
        EXPECT_EQ(audited("tido_cod = ? and audi_oper = 'U' and audi_cod = '900555'", {type}), 1) << type;
    }
}

TEST_F(Documents, ChequesStayInTheirBoxUntilATransferTakesThem) {
    const int invoice = insertInvoice("000001", "N");
    connection->execute(
        "insert into facturas_pago values (?, 1, 2, '07', '0123', 'CH-77', '2024/03/01', 150000)", {invoice});
    const QString inBox =
        "select count(*) from documentos_pago_caja where caja_id = ? and dpca_numero = 'CH-77'"
        " and dpca_tiposal = 0 and dpca_idsal = 0";
    EXPECT_EQ(value(inBox, {1}).toInt(), 1);
    connection->execute(
        "insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_anulado, caja_id,"
        " trcj_destino, numok) values (9, 'T001', '000001', '2024/03/01', 'N', 1, 3, 'N')");
    connection->execute(
        "insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_banco, trcd_cuenta,"
        " trcd_numero, trcd_fecha, trcd_monto) values (9, 1, 2, '07', '0123', 'CH-77', '2024/03/01',"
        " 150000)");
    EXPECT_EQ(value(inBox, {1}).toInt(), 0);
    EXPECT_EQ(value(inBox, {3}).toInt(), 1);
}

} // namespace
