#include "tests/schema/companies.h"
#include "tests/schema/results.h"
#include "tests/support/printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quelmaro;

namespace {

// What a demo holds, in a few figures that change when any document, number, key or time changes.
QList<Value> fingerprint(const QString& database) {
    auto connection = test::openDatabase(database);
    QList<Value> figures;
    for (const char* sql : {
             "select count(*) || '/' || sum(fact_total) || '/' || max(fact_id) || '/' || max(fact_numero) "
             "from facturas",
             "select count(*) || '/' || sum(fade_cant * fade_prunit) from facturas_detalle",
             "select count(*) || '/' || sum(fapa_monto) || '/' || sum(fopa_id) from facturas_pago",
             "select count(*) || '/' || list(audi_fecha || ' ' || audi_hora || ' ' || tido_cod, ',')"
             " from (select * from auditoria order by audi_id)",
             "select count(*) || '/' || coalesce(sum(reca_monto), 0) from recibos_caja",
             "select count(*) || '/' || coalesce(sum(egre_monto), 0) from egresos",
             "select count(*) || '/' || coalesce(sum(comp_total), 0) from compras",
         })
        figures << test::single(*connection, QString::fromUtf8(sql));
    return figures;
}

TEST(Demo, SameSeedGivesTheSameBusinessAndAnotherSeedAnother) {
    const QStringList options = {"--points", "2", "--days", "2", "--end", "2024/03/03", "--lines", "6"};
    test::CompanyRoot first;
    test::CompanyRoot second;
    test::CompanyRoot other;
    first.makeDemo(options + QStringList{"--seed", "11"});
    second.makeDemo(options + QStringList{"--seed", "11"});
    other.makeDemo(options + QStringList{"--seed", "12"});
    EXPECT_EQ(fingerprint(first.database("01")), fingerprint(second.database("01")));
    EXPECT_NE(fingerprint(first.database("01")), fingerprint(other.database("01")));
}

TEST(Demo, AuditTrailCarriesTheBusinessDateAndTime) {
    auto connection = test::openDatabase(test::demo::origin());
    auto count = [&](const char* sql) { return test::single(*connection, sql).toInt(); };
    EXPECT_EQ(count("select count(*) from facturas f where not exists (select 1 from auditoria a"
                    " where a.tido_cod = 31 and a.audi_oper = 'I' and a.audi_iddoc = f.fact_id"
                    " and a.audi_fecha = f.fact_fecha and a.audi_hora between '08:00' and '20:00')"),
              0);
    EXPECT_EQ(count("select count(*) from traslados_caja t where not exists (select 1 from auditoria a"
                    " where a.tido_cod = 66 and a.audi_oper = 'I' and a.audi_iddoc = t.trcj_id"
                    " and a.audi_fecha = t.trcj_fecha)"),
              0);
    EXPECT_EQ(count("select count(*) from egresos e where not exists (select 1 from auditoria a"
                    " where a.tido_cod = 62 and a.audi_oper = 'I' and a.audi_iddoc = e.egre_id"
                    " and a.audi_fecha = e.egre_fecha)"),
              0);
    EXPECT_GT(count("select count(*) from auditoria where tido_cod = 102 and audi_oper = 'I'"
                    " and audi_fecha between '2024/02/27' and '2024/03/03'"),
              0)
        << "new customers";
    EXPECT_GT(count("select count(*) from auditoria where tido_cod = 103 and audi_oper = 'U'"
                    " and audi_fecha between '2024/02/27' and '2024/03/03'"),
              0)
        << "changed customers";
    // Sales at several times of day, on account and paid in several forms, all with their lines.
    EXPECT_GT(count("select count(distinct extract(hour from audi_hora)) from auditoria where tido_cod = 31"),
              8);
    EXPECT_GT(count("select count(*) from facturas where fact_vence > fact_fecha"), 0);
    EXPECT_EQ(count("select count(distinct fopa_id) from facturas_pago"), 5);
    EXPECT_EQ(count("select count(*) from facturas f where fact_total <> (select sum(fade_total)"
                    " from facturas_detalle d where d.fact_id = f.fact_id)"),
              0);
}

// Every kind of amount the closing report and the transmission handle turns up in the demo's business.
TEST(Demo, BusinessCarriesEveryKindOfMoney) {
    auto connection = test::openDatabase(test::demo::origin());
    auto count = [&](const char* sql) { return test::single(*connection, sql).toInt(); };
    for (const char* sql : {
             "select count(*) from facturas_detalle where fade_consumo > 0 and fade_ivamonto > 0",
             "select count(*) from facturas_detalle where fade_dtomonto > 0",
             "select count(*) from facturas_detalle where fade_ivaporc = 0",
             "select count(*) from facturas_detalle where fade_ivaporc = 10",
             "select count(*) from facturas_detalle where fade_ivaporc = 16",
             "select count(*) from devoluciones_venta",
             // cash handed over first and last in invoices paid in two forms
             "select count(*) from facturas_pago where fopa_id = 1 and fapa_item = 1"
             " and exists (select 1 from facturas_pago o where o.fact_id = facturas_pago.fact_id"
             " and o.fapa_item = 2)",
             "select count(*) from facturas_pago where fopa_id = 1 and fapa_item = 2",
             // a cheque taken to another box by a transfer
             "select count(*) from traslados_caja_det d join documentos_pago_caja c on c.dpca_tiposal = 66"
             " and c.dpca_idsal = d.trcj_id and c.dpca_numero = d.trcd_numero where d.fopa_id = 2",
             // a disbursement paid in two rows from one box, which the transmission reads twice
             "select count(*) from egresos_caja c where c.egca_item = 2 and exists (select 1 from"
             " egresos_caja o where o.egre_id = c.egre_id and o.egca_item = 1 and o.caja_id = c.caja_id)",
         })
        EXPECT_GT(count(sql), 0) << sql;
    // The transmission's payments summary has cash neither always first nor always last.
    int cashFirst = 0, cashBetween = 0;
    for (QDate day = test::demo::kFirstDay; day <= test::demo::kLastDay; day = day.addDays(1))
        for (int point = 1; point <= 3; ++point) {
            const auto rows =
                connection->query("select forma from resumen_caja_tx(?, ?, '00:00:00')", {day, point}).rows;
            for (qsizetype r = 0; r < rows.size(); ++r)
                if (rows.at(r).at(0).toInt() == 1) {
                    cashFirst += r == 0;
                    cashBetween += r > 0 && r + 1 < rows.size();
                }
        }
    EXPECT_GT(cashFirst, 0);
    EXPECT_GT(cashBetween, 0);
}

TEST(Demo, CentralCompanyHasTheMastersAndNoBusiness) {
    auto origin = test::openDatabase(test::demo::origin());
    auto central = test::openDatabase(test::demo::central());
    for (const char* table :
         {"sucursales", "punto_venta", "cajas", "vendedores", "autorizaciones", "articulo", "formas_pago",
          "interfaz_ventas", "interfaz_caja", "configuracion", "formato_datos"}) {
        const QString sql = QStringLiteral("select count(*) from %1").arg(table);
        EXPECT_EQ(test::single(*central, sql), test::single(*origin, sql)) << table;
    }
    for (const char* table :
         {"facturas", "recibos_caja", "traslados_caja", "egresos", "compras", "envio_resumdia"})
        EXPECT_EQ(test::single(*central, QStringLiteral("select count(*) from %1").arg(table)).toInt(), 0)
            << table;
}

TEST(Scripts, RefuseBadInputAndNeverReplaceACompany) {
    test::CompanyRoot root;
    const QString database = root.createCompany("01");
    const auto sizeBefore = QFile(database).size();
    EXPECT_THROW(root.createCompany("01"), std::runtime_error);
    EXPECT_EQ(QFile(database).size(), sizeBefore);
    EXPECT_THROW(root.createCompany("0'1"), std::runtime_error);
    EXPECT_THROW(root.createCompany("02", {"--points", "tres"}), std::runtime_error);
    EXPECT_THROW(root.createCompany("03", {"--branches", "2", "--points", "1"}), std::runtime_error);
    EXPECT_FALSE(QFile::exists(root.database("03")));
    EXPECT_THROW(root.makeDemo({"--end", "2024/02/30", "--origin", "10", "--central", "11"}),
                 std::runtime_error);
    EXPECT_THROW(root.makeDemo({"--origin", "12", "--central", "12"}), std::runtime_error);
}

TEST(Scripts, TheServerOpensACompanyGivenToIt) {
    const QString serverDir = qEnvironmentVariable("QUELMARO_FB_SERVER_DIR");
    ASSERT_FALSE(serverDir.isEmpty())
        << "QUELMARO_FB_SERVER_DIR names the folder the Firebird server may open";
    QTemporaryDir root(serverDir + "/schema-XXXXXX");
    ASSERT_TRUE(root.isValid());
    // The server runs as its own user, which must reach the company folder.
    QFile::setPermissions(root.path(), QFile::permissions(root.path()) | QFile::ExeOther | QFile::ReadOther);
    test::runSchemaScript("create-company.sh", {root.path(), "01", "--chown"});

    fb::Connection connection;
    connection.setParameter("Database", "localhost:" + root.path() + "/datos/01/norvane.fdb");
    connection.setParameter("User_Name", qEnvironmentVariable("QUELMARO_FB_SERVER_USER"));
    connection.setParameter("Password", qEnvironmentVariable("QUELMARO_FB_SERVER_PASSWORD"));
    connection.open();
    EXPECT_EQ(test::single(connection, "select count(*) from punto_venta").toInt(), 3);
    connection.close();
}

} // namespace
