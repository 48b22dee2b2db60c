#include "tests/schema/companies.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

enum class Company { Origin, Central };

struct Statement {
    Company company;
    const char* sql;
    const char* copiedTable = nullptr; // the table whose columns lead the result, in their order
};

void PrintTo(const Statement& statement, std::ostream* out) {
    *out << statement.sql;
}

class ProgramStatements : public testing::TestWithParam<Statement> {};

// The statements the closing report and the transmission send, as they write them (for the last demo day and
// point of sale 1): they must run, with no column name left ambiguous by the joins.
TEST_P(ProgramStatements, RunOnTheCompanyDatabase) {
    auto connection = test::openDatabase(GetParam().company == Company::Origin ? test::demo::origin()
                                                                               : test::demo::central());
    const fb::QueryResult result = connection->query(QString::fromUtf8(GetParam().sql));
    if (!GetParam().copiedTable)
        return;
    // Rows are copied by column position into the table of the same name in the other company.
    const QString table = QString::fromUtf8(GetParam().copiedTable);
    const fb::QueryResult own = connection->query("select * from " + table + " where 1 = 0");
    ASSERT_GE(result.columns.size(), own.columns.size());
    for (qsizetype c = 0; c < own.columns.size(); ++c)
        EXPECT_EQ(result.columns[c].name, own.columns[c].name) << c;
}

const Statement kStatements[] = {
    {Company::Origin, "select * from resumen_dia('2024/03/03',1,99999,0)"},
    {Company::Origin, "SELECT * FROM SUCURSALES"},
    {Company::Origin,
     "select conf_valor from configuracion where conf_modulo = 'FACTURACION' and conf_categoria ="
     " 'GENERAL' and conf_propiedad = 'PREVISUALIZAR IMPRESION DE DOCUMENTOS'"},
    {Company::Origin,
     "select * from punto_venta where ptvt_activo = 'S' and ptvt_id >= 0 and ptvt_id <= 999999"
     " order by ptvt_id"},
    {Company::Origin, "select * from punto_venta where ptvt_activo = 'S' and sucu_id = 1 and ptvt_id >= 0"
                      " and ptvt_id <= 99999 order by ptvt_id"},
    {Company::Origin, "select max(audi_hora) from auditoria a, facturas f where a.audi_iddoc = f.fact_id and"
                      " audi_fecha = '2024/03/03' and a.tido_cod = 31 and audi_oper = 'I' and f.ptvt_id = 1"},
    {Company::Origin,
     "select max (enre_hora) from envio_resumdia where ptvt_id = 1 and enre_fecha = '2024/03/03'"},
    {Company::Origin, "select * from RESUMEN_VENTAS_TX('2024/03/03',1,'00:00:00')"},
    {Company::Origin, "select * from RESUMEN_CAJA_TX('2024/03/03',1,'10:15:00')"},
    {Company::Origin,
     "select * from traslados_caja t, auditoria a, PUNTO_VENTA P where t.trcj_id = a.audi_iddoc and"
     " a.audi_oper = 'I' and a.tido_cod = 66 and a.audi_fecha = '2024/03/03' and p.ptvt_id = 1 and"
     " p.caja_id = t.caja_id",
     "TRASLADOS_CAJA"},
    {Company::Origin, "select * from traslados_caja_det t where trcj_id = 1", "TRASLADOS_CAJA_DET"},
    {Company::Origin,
     "select * from egresos e, auditoria a, PUNTO_VENTA P, egresos_caja ec where e.egre_id = a.audi_iddoc and"
     " a.audi_oper = 'I' and a.tido_cod = 62 and a.audi_fecha = '2024/03/03' and p.ptvt_id = 1 and"
     " p.caja_id = ec.caja_id and e.egre_id = ec.egre_id",
     "EGRESOS"},
    {Company::Origin, "select * from egresos_detalle e where egre_id = 1", "EGRESOS_DETALLE"},
    {Company::Origin, "select * from egresos_caja e where egre_id = 1", "EGRESOS_CAJA"},
    {Company::Origin,
     "select * from terceros t, auditoria a where terc_nit = a.audi_cod and a.tido_cod = 102 and"
     " a.audi_fecha = '2024/03/03'",
     "TERCEROS"},
    {Company::Origin,
     "select * from CLIENTES t, auditoria a where terc_nit = a.audi_cod and a.tido_cod = 103 and"
     " a.audi_fecha = '2024/03/03'",
     "CLIENTES"},
    {Company::Central, "SELECT * FROM FACTURAS WHERE FACT_ID = 0"},
    {Company::Central, "SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = 0"},
    {Company::Central, "SELECT * FROM RECIBOS_CAJA WHERE RECA_ID = 0"},
    {Company::Central,
     "SELECT MAX(ENRE_HORA) FROM envio_resumdia WHERE ENRE_FECHA = '2024/03/03' AND PTVT_ID = 1"},
    {Company::Central,
     "select pref_actual, pref_ivainc from prefijos where tido_cod = 31 and pref_pre = 'F001'"},
    {Company::Central, "select lipr_cod from clientes where terc_nit = '222222222222'"},
    {Company::Central, "select taiv_porc from articulo a, tarifa_iva t where a.taiv_cod = t.taiv_cod and"
                       " arti_cod = 'C001'"},
    {Company::Central,
     "select first 1 fact_id, fact_numero, pref_pre, fact_total, terc_nit, fact_nomcliente from"
     " facturas where fact_fecha = '2024/03/03' and fact_anulado = 'N' and ptvt_id = 1 order by"
     " fact_id desc"},
    {Company::Central, "select reca_numero, pref_pre from recibos_caja r, recibos_caja_detalle d where"
                       " r.reca_id = d.reca_id and reca_anulado = 'N' and rcde_iddoc = 1"},
    {Company::Central, "select auto_prefrdc from autorizaciones where pref_pre = 'F001'"},
    {Company::Central, "select pref_actual from prefijos where tido_cod = 61 and pref_pre = 'R001'"},
    {Company::Central, "select min(vend_cod) from vendedores where ptvt_id = 1"},
    {Company::Central, "select min(inve_id) from interfaz_ventas where tido_cod = 31 and pref_pre = 'F001'"},
    {Company::Central, "select min(incj_id) from interfaz_caja where tido_cod = 61 and pref_pre = 'R001'"},
    {Company::Central, "select min(incj_id) from interfaz_caja where tido_cod = 66 and pref_pre = 'T001'"},
    {Company::Central,
     "select erro_codigo, erro_cadena from errores where erro_tipodoc = 1031 and erro_iddoc = 1"},
    {Company::Central,
     "select pref_auto, pref_actual from prefijos where tido_cod = 66 and pref_pre = 'T001'"},
    {Company::Central, "SELECT * FROM TRASLADOS_CAJA WHERE PREF_PRE = 'T001' AND TRCJ_NUMERO = '000001'"},
    {Company::Central, "select * from documentos_pago_caja where fopa_id = 2 and dpca_banco = '07' and"
                       " dpca_cuenta = '0123' and dpca_numero = '77' and caja_id = 1 and dpca_tiposal = 0 and"
                       " dpca_idsal = 0"},
    {Company::Central,
     "select pref_auto, pref_actual from prefijos where tido_cod = 61 and pref_pre = 'E001'"},
    {Company::Central, "SELECT * FROM EGRESOS WHERE PREF_PRE = 'E001' AND EGRE_NUMERO = '000001'"},
    {Company::Central, "SELECT * FROM TERCEROS WHERE TERC_NIT = '222222222222'"},
    {Company::Central, "SELECT * FROM CLIENTES WHERE TERC_NIT = '222222222222'"},
};

INSTANTIATE_TEST_SUITE_P(Schema, ProgramStatements, testing::ValuesIn(kStatements));

} // namespace
