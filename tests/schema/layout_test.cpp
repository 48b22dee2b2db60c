#include "data/fb/metadata.h"
#include "tests/schema/companies.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

// The columns a statement gives, in order.
QStringList columnsOf(fb::Connection& connection, const QString& sql) {
    QStringList names;
    for (const fb::Column& column : connection.query(sql).columns)
        names << column.name;
    return names;
}

struct ColumnOrder {
    const char* source; // a table, or a procedure call
    QStringList columns;
};

void PrintTo(const ColumnOrder& c, std::ostream* out) {
    *out << c.source;
}

class Layout : public testing::TestWithParam<ColumnOrder> {};

// Documents are copied between companies by column position and the closing report reads the summary by
// name and position, so these lists are exact.
TEST_P(Layout, ColumnsComeInTheirOrder) {
    auto connection = test::openDatabase(test::demo::central());
    EXPECT_EQ(columnsOf(*connection, QStringLiteral("select * from %1").arg(GetParam().source) +
                                         (QString(GetParam().source).contains('(') ? "" : " where 1 = 0")),
              GetParam().columns);
}

const ColumnOrder kColumnOrders[] = {
    {"TRASLADOS_CAJA",
     {"TRCJ_ID", "PREF_PRE", "TRCJ_NUMERO", "TRCJ_FECHA", "TRCJ_CONC", "TRCJ_ANULADO", "TRCJ_TRANSMIT",
      "CAJA_ID", "TRCJ_DESTINO", "TRCJ_USUARIO", "NUMOK"}},
    {"TRASLADOS_CAJA_DET",
     {"TRCJ_ID", "TRCD_ITEM", "FOPA_ID", "TRCD_BANCO", "TRCD_CUENTA", "TRCD_NUMERO", "TRCD_FECHA",
      "TRCD_MONTO", "TRCD_ANULADO", "TRCD_TRANSMIT"}},
    {"EGRESOS", {"EGRE_ID",      "TIDO_COD",      "PREF_PRE",        "EGRE_NUMERO",     "EGRE_FECHA",
                 "EGRE_CONC",    "EGRE_MONTO",    "EGRE_RTFTEMONTO", "EGRE_RTIVAMONTO", "EGRE_RTICAMONTO",
                 "EGRE_DTOF",    "EGRE_OBS",      "EGRE_TIPOMOVBCO", "EGRE_IDMOVBCO",   "EGRE_NOMTERC",
                 "EGRE_ANULADO", "EGRE_TRANSMIT", "TERC_NIT",        "EGRE_TIPO",       "CAJA_ID",
                 "EGRE_USUARIO", "NUMOK",         "CLEG_ID",         "EGRE_TRM"}},
    {"EGRESOS_DETALLE",
     {"EGRE_ID", "EGDE_ITEM", "EGDE_TIPODOC", "EGDE_IDDOC", "EGDE_PREFIJO", "EGDE_NUMERO", "EGDE_ABONO",
      "EGDE_RTFTE", "EGDE_RTIVA", "EGDE_RTICA", "EGDE_DTOF", "EGDE_ANULADO", "EGDE_TRANSMIT",
      "EGDE_DIFCAMBIO", "EGDE_NUMPROV"}},
    {"EGRESOS_CAJA",
     {"EGRE_ID", "EGCA_ITEM", "CAJA_ID", "FOPA_ID", "EGCA_BANCO", "EGCA_CUENTA", "EGCA_NUMERO", "EGCA_FECHA",
      "EGCA_MONTO", "EGCA_ANULADO", "EGCA_TRANSMIT"}},
    {"FACTURAS",
     {"FACT_ID",        "PTVT_ID",         "VEND_COD",        "TERC_NIT",        "AUTO_NUMERO",
      "FACT_NUMERO",    "FACT_FECHA",      "FACT_DESPACHO",   "FACT_VENCE",      "FACT_IVAINC",
      "FACT_COMIPORC",  "FACT_COMIMONTO",  "FACT_DTOPOR",     "FACT_DTOMONTO",   "FACT_ADICIONAL",
      "FACT_IVAMONTO",  "FACT_RTFTEPOR",   "FACT_RTFTEMONTO", "FACT_RTIVAPOR",   "FACT_RTIVAMONTO",
      "FACT_RTICAPOR",  "FACT_RTICAMONTO", "FACT_EXTRA",      "FACT_DTOFPOR",    "FACT_DTOFMONTO",
      "FACT_DTOFFECHA", "PREF_PRE",        "FACT_TRANSP",     "FACT_NOMCLIENTE", "FACT_COTIZACI",
      "FACT_PEDIDO",    "FACT_REMISION",   "FACT_ANULADO",    "FACT_TRANSMIT",   "FACT_TOTAL",
      "BODE_COD",       "FACT_OBS",        "VEHI_COD",        "FACT_CONSOLIDA",  "NUMOK",
      "FACT_SUCURSAL",  "FACT_USUARIO",    "FACT_RECIBIDO"}},
    {"FACTURAS_DETALLE",
     {"FACT_ID",      "FADE_ITEM",       "BODE_COD",         "ARTI_COD",      "FADE_CANT",
      "FADE_UNIDAD",  "FADE_LOTE",       "FADE_PRUNIT",      "FADE_DTOPORC",  "FADE_DTOMONTO",
      "FADE_IVAPORC", "FADE_IVAMONTO",   "FADE_CONSUMO",     "FADE_FACTOR",   "FADE_DESC",
      "FADE_OBS",     "FADE_CODBAR",     "FADE_REMISIONADO", "FADE_DEVUELTO", "FADE_TOTAL",
      "LIPR_COD",     "FADE_REFERENCIA", "FADE_ANULADO",     "FADE_TRANSMIT", "FADE_FACTORLISTA",
      "FADE_DTO1",    "FADE_DTO2",       "FADE_DTO3",        "FADE_CAJAS",    "FADE_DTOM1",
      "FADE_DTOM2",   "FADE_DTOM3",      "FADE_BASE",        "FADE_PORCBASE"}},
    {"RECIBOS_CAJA", {"RECA_ID",         "CAJA_ID",       "TIDO_COD",   "PREF_PRE",         "RECA_NUMERO",
                      "RECA_FECHA",      "RECA_CONC",     "RECA_MONTO", "RECA_RTFTEMONTO",  "RECA_RTIVAMONTO",
                      "RECA_RTICAMONTO", "RECA_DTOF",     "RECA_OBS",   "TERC_NIT",         "RECA_NOMTERC",
                      "RECA_ANULADO",    "RECA_TRANSMIT", "COBR_COD",   "RECA_PROVISIONAL", "RECA_PROVID",
                      "RECA_USUARIO",    "NUMOK"}},
    {"RECIBOS_CAJA_DETALLE",
     {"RECA_ID", "RCDE_ITEM", "RCDE_TIPODOC", "RCDE_IDDOC", "RCDE_PREFIJO", "RCDE_NUMERO", "RCDE_ABONO",
      "RCDE_RTFTE", "RCDE_RTIVA", "RCDE_RTICA", "RCDE_DTOF", "RCDE_ANULADO", "RCDE_TRANSMIT", "RCDE_COMIP",
      "RCDE_SUCURSAL"}},
    {"RECIBOS_CAJA_PAGO",
     {"RECA_ID", "RCPA_ITEM", "FOPA_ID", "RCPA_BANCO", "RCPA_CUENTA", "RCPA_NUMERO", "RCPA_FECHA",
      "RCPA_MONTO", "RCPA_ANULADO", "RCPA_TRANSMIT", "RCPA_IVAMONTO"}},
    {"AUDITORIA",
     {"AUDI_ID", "AUDI_USUARIO", "AUDI_FECHA", "AUDI_HORA", "TIDO_COD", "AUDI_IDDOC", "AUDI_OPER", "AUDI_COD",
      "AUDI_ENVIO", "AUDI_TICO", "AUDI_RAZON", "AUDI_MOTIVO"}},
    {"SUCURSALES", {"SUCU_ID", "SUCU_NOMBRE", "SUCU_DIRECCION", "SUCU_TELEFONOS"}},
    {"FORMATOS",
     {"TIDO_COD", "PREF_PRE", "FORM_IMPRE", "FORM_NROITEMS", "FORM_PAGINAS", "FORM_ENTRELINEA", "FORM_FONT",
      "FORM_FSIZE", "FORM_PAPELAN", "FORM_PAPELAL"}},
    {"FORMATO_DATOS",
     {"TIDO_COD", "PREF_PRE", "DAFO_DATO", "DAFO_IMPRIME", "DAFO_POSX", "DAFO_POSY", "DAFO_FORMATO",
      "DAFO_LONG", "DAFO_REPITE", "DAFO_FONT", "DAFO_FSIZE", "DAFO_LIQUIDA", "DAFO_POSYVAR", "DAFO_ITEM",
      "DAFO_INI"}},
    {"FORMATO_LINEAS",
     {"TIDO_COD", "PREF_PRE", "FOLI_ITEM", "FOLI_TIPO", "FOLI_X", "FOLI_Y", "FOLI_POSX", "FOLI_POSY",
      "FOLI_CADENA", "FOLI_FONT", "FOLI_FSIZE", "FOLI_LIQUIDA", "FOLI_IMAGEN"}},
    {"resumen_ventas_tx('2024/03/01', 1, '00:00:00')",
     {"PREFIJO", "VENDEDOR", "ARTICULO", "DESCRIPCION", "UNIDAD", "CANTIDAD", "PRECIO", "IVA", "CONSUMO"}},
    {"resumen_caja_tx('2024/03/01', 1, '00:00:00')",
     {"FORMA", "BANCO", "CUENTA", "NUMERO", "FECDOC", "MONTO"}},
    {"contabil_factura(0, 0, 0)", {"ERRORES", "MOVIMIENTOS", "IDCNT"}},
    {"resumen_dia('2024/03/01', 0, 99999, 0)",
     {"PTOVTA",        "PTOVTANOM",     "VTACONTDIA",    "VTACONTMES",    "VTACREDDIA",    "VTACREDMES",
      "VTATOTALDIA",   "VTATOTALMES",   "DEVOLDIA",      "DEVOLMES",      "VTANETADIA",    "VTANETAMES",
      "VTAEXENTADIA",  "VTAGRAVA16DIA", "VTAGRAVA10DIA", "VTAEXENTAMES",  "VTAGRAVA16MES", "VTAGRAVA10MES",
      "IVA16DIA",      "IVA10DIA",      "IVA16MES",      "IVA10MES",      "INICIAL",       "INGCARTERA",
      "INGOTROS",      "INGTOTAL",      "DESCTOSDIA",    "DESCTOSMES",    "EGRTOTAL",      "EGRPROV",
      "EGRCLASE1",     "EGRCLASE2",     "EGROTROS",      "TRASLADO",      "CONSIGNA",      "CMPEXENTADIA",
      "CMPGRAVA16DIA", "CMPGRAVA10DIA", "CMPEXENTAMES",  "CMPGRAVA16MES", "CMPGRAVA10MES", "IVAC16DIA",
      "IVAC10DIA",     "IVAC16MES",     "IVAC10MES",     "TRASLADOR",     "FINAL",         "FORMAP1",
      "FORMAP2",       "FORMAP3",       "FORMAP4",       "FORMAP5",       "CARTERA",       "FORMAP1MES",
      "FORMAP2MES",    "FORMAP3MES",    "FORMAP4MES",    "FORMAP5MES",    "CARTERAMES",    "CMPTOTALDIA",
      "CMPTOTALMES",   "CMPCONTADODIA", "CMPCREDITODIA", "CMPCONTADOMES", "CMPCREDITOMES", "DEVCMPDIA",
      "DEVCMPMES",     "CMPNETADIA",    "CMPNETAMES"}},
};

INSTANTIATE_TEST_SUITE_P(Schema, Layout, testing::ValuesIn(kColumnOrders));

struct ColumnType {
    const char* table;
    const char* column;
    fb::ColumnType type;
    int size;
    int scale;
    bool nullable;
};

void PrintTo(const ColumnType& c, std::ostream* out) {
    *out << c.table << '.' << c.column;
}

class Types : public testing::TestWithParam<ColumnType> {};

TEST_P(Types, ColumnHasItsTypeSizeAndRequirement) {
    auto connection = test::openDatabase(test::demo::central());
    const auto result = connection->query(
        QStringLiteral("select %1 from %2 where 1 = 0").arg(GetParam().column, GetParam().table));
    ASSERT_EQ(result.columns.size(), 1);
    const fb::Column& column = result.columns[0];
    EXPECT_EQ(column.type, GetParam().type);
    EXPECT_EQ(column.size, GetParam().size);
    EXPECT_EQ(column.scale, GetParam().scale);
    EXPECT_EQ(column.nullable, GetParam().nullable);
}

using enum fb::ColumnType;
const ColumnType kColumnTypes[] = {
    {"FORMATOS", "PREF_PRE", Text, 6, 0, false},
    {"FORMATO_DATOS", "PREF_PRE", Text, 4, 0, false},
    {"FORMATO_LINEAS", "PREF_PRE", Text, 6, 0, false},
    {"FORMATO_DATOS", "DAFO_ITEM", Integer, 0, 0, false},
    {"FORMATO_DATOS", "DAFO_INI", Integer, 0, 0, true},
    {"FORMATO_DATOS", "DAFO_IMPRIME", Text, 1, 0, true},
    {"FORMATO_LINEAS", "FOLI_IMAGEN", Blob, 0, 0, true},
    {"FORMATOS", "FORM_PAPELAN", Fixed, 0, 2, true},
    {"FACTURAS", "FACT_NUMERO", Text, 8, 0, false},
    {"FACTURAS", "FACT_TOTAL", Fixed, 0, 2, true},
    {"FACTURAS", "FACT_OBS", TextBlob, 0, 0, true},
    {"FACTURAS_DETALLE", "FADE_CANT", Fixed, 0, 4, true},
    {"RECIBOS_CAJA_DETALLE", "RCDE_SUCURSAL", Text, 10, 0, false},
    {"EGRESOS", "EGRE_NUMERO", Text, 6, 0, false},
    {"EGRESOS", "EGRE_OBS", Blob, 0, 0, true},
    {"TRASLADOS_CAJA", "TRCJ_ID", Integer, 0, 0, false},
    {"TRASLADOS_CAJA_DET", "TRCD_BANCO", Text, 2, 0, true},
    {"SUCURSALES", "SUCU_ID", Integer, 0, 0, false},
    {"ENVIO_RESUMDIA", "ENRE_HORA", Text, 8, 0, false},
    {"AUDITORIA", "AUDI_HORA", Time, 0, 0, false},
};

INSTANTIATE_TEST_SUITE_P(Schema, Types, testing::ValuesIn(kColumnTypes));

TEST(Keys, FormatTablesAreKeyedByTypePrefixAndItem) {
    auto connection = test::openDatabase(test::demo::central());
    EXPECT_EQ(fb::primaryKeyColumns(*connection, "FORMATOS"), QStringList({"TIDO_COD", "PREF_PRE"}));
    EXPECT_EQ(fb::primaryKeyColumns(*connection, "FORMATO_DATOS"),
              QStringList({"TIDO_COD", "PREF_PRE", "DAFO_DATO"}));
    EXPECT_EQ(fb::primaryKeyColumns(*connection, "FORMATO_LINEAS"),
              QStringList({"TIDO_COD", "PREF_PRE", "FOLI_ITEM"}));
}

TEST(Keys, EveryTableHasAPrimaryKeyAndEveryConstraintANameOfItsOwn) {
    auto connection = test::openDatabase(test::demo::central());
    EXPECT_TRUE(connection
                    ->query("select r.rdb$relation_name from rdb$relations r"
                            " where coalesce(r.rdb$system_flag, 0) = 0 and r.rdb$view_blr is null"
                            " and not exists (select 1 from rdb$relation_constraints c"
                            " where c.rdb$relation_name = r.rdb$relation_name"
                            " and c.rdb$constraint_type = 'PRIMARY KEY')")
                    .rows.isEmpty());
    // Firebird names the constraints it is not given a name for INTEG_n.
    EXPECT_TRUE(connection
                    ->query("select rdb$constraint_name from rdb$relation_constraints"
                            " where rdb$constraint_name starting 'INTEG_'")
                    .rows.isEmpty());
}

} // namespace
