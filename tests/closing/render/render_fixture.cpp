#include "tests/closing/render/render_fixture.h"

#include "closing/render/datum_vocabulary.h"

#include <QStringList>

namespace quelmaro::test {

namespace {

// The field each total sums.
const QPair<const char*, const char*> kTotals[] = {
    {"SumContadoD", "VTACONTDIA"},  {"SumCreditoD", "VTACREDDIA"},    {"SumVtanoefeD", "Vtanoefe"},
    {"SumDevD", "DEVOLDIA"},        {"SumNetoD", "VTANETADIA"},       {"SumContadoM", "VTACONTMES"},
    {"SumCreditoM", "VTACREDMES"},  {"SumVtanoefeM", "Vtanoefemes"},  {"SumDevM", "DEVOLMES"},
    {"SumNetoM", "VTANETAMES"},     {"SumVtaGra1D", "VTAGRAVA16DIA"}, {"SumVtaGra2D", "VTAGRAVA10DIA"},
    {"SumVtaExeD", "VTAEXENTADIA"}, {"SumVtaGra1M", "VTAGRAVA16MES"}, {"SumVtaGra2M", "VTAGRAVA10MES"},
    {"SumVtaExeM", "VTAEXENTAMES"},
};

QString rowsTable() {
    QStringList columns{QStringLiteral("ptovta integer"), QStringLiteral("ptovtanom varchar(60)")};
    for (auto vocabulary : {headerVocabulary(), pointOfSaleVocabulary()})
        for (const Datum& datum : vocabulary)
            if (datum.source == DatumSource::Field)
                columns << QString::fromLatin1(datum.field) + QStringLiteral(" numeric(18,4)");
    return QStringLiteral("create table filas_cierre (%1)").arg(columns.join(QStringLiteral(", ")));
}

} // namespace

CompanyDatabase* RenderingTest::company = nullptr;

void RenderingTest::SetUpTestSuite() {
    company = new CompanyDatabase;
    company->connection().execute(rowsTable());
}

void RenderingTest::TearDownTestSuite() {
    delete company;
    company = nullptr;
}

void RenderingTest::SetUp() {
    fb::Connection& db = company->connection();
    for (const char* table : {"formato_datos", "formato_lineas", "formatos"})
        db.execute(QStringLiteral("delete from %1 where tido_cod = ?").arg(QLatin1String(table)),
                   {kDocumentType});
    db.execute(QStringLiteral("delete from filas_cierre"));
    PImpFactura.setAcceptsStatement(true);
    CImpfactura.setProvider(&PImpFactura);
    CImpfactura.setCommandText(QStringLiteral("select * from filas_cierre order by ptovta"));
    for (const auto& [name, field] : kTotals)
        CImpfactura.addAggregate(QLatin1String(name), QStringLiteral("sum(%1)").arg(QLatin1String(field)));
    // Letter paper's factors.
    renderer.grid.factor_x = Fixed::parse(QStringLiteral("0.0057"));
    renderer.grid.factor_y = Fixed::parse(QStringLiteral("0.0055"));
}

void RenderingTest::TearDown() {
    CImpfactura.close();
    format.CFormato.close();
}

void RenderingTest::addFormat(Value entrelinea, Value font, Value fsize) {
    insert("formatos", {{"tido_cod", kDocumentType},
                        {"pref_pre", "PRU"},
                        {"form_entrelinea", entrelinea},
                        {"form_font", font},
                        {"form_fsize", fsize}});
}

void RenderingTest::addElement(const ElementRow& row) {
    insert("formato_lineas", {{"tido_cod", kDocumentType},
                              {"pref_pre", "PRU"},
                              {"foli_item", ++items_},
                              {"foli_tipo", row.tipo},
                              {"foli_posx", row.posx},
                              {"foli_posy", row.posy},
                              {"foli_x", row.x},
                              {"foli_y", row.y},
                              {"foli_cadena", row.cadena},
                              {"foli_font", row.font},
                              {"foli_fsize", row.fsize},
                              {"foli_liquida", row.liquida},
                              {"foli_imagen", row.imagen.isNull() ? Value() : Value(row.imagen)}});
}

void RenderingTest::addDatum(const DatumRow& row) {
    insert("formato_datos", {{"tido_cod", kDocumentType},
                             {"pref_pre", "PRU"},
                             {"dafo_item", ++items_},
                             {"dafo_dato", row.dato},
                             {"dafo_imprime", row.imprime},
                             {"dafo_posx", row.posx},
                             {"dafo_posy", row.posy},
                             {"dafo_formato", row.formato},
                             {"dafo_long", row.longitud},
                             {"dafo_repite", row.repite},
                             {"dafo_font", row.font},
                             {"dafo_fsize", row.fsize},
                             {"dafo_liquida", row.liquida},
                             {"dafo_ini", row.ini}});
}

void RenderingTest::addReportRow(const ColumnValues& row) {
    insert("filas_cierre", row);
}

void RenderingTest::insert(const char* table, const ColumnValues& row) {
    QStringList columns, marks;
    QList<Value> values;
    for (const auto& [column, value] : row) {
        columns << QLatin1String(column);
        marks << QStringLiteral("?");
        values << value;
    }
    company->connection().execute(QStringLiteral("insert into %1 (%2) values (%3)")
                                      .arg(QLatin1String(table), columns.join(u','), marks.join(u',')),
                                  values);
}

const Page& RenderingTest::render(bool liquida) {
    if (!format.select(kDocumentType))
        throw std::runtime_error("the test format is missing");
    if (!CImpfactura.isOpen())
        CImpfactura.open();
    canvas_ = std::make_unique<PageCanvas>();
    renderer.imprime_encabezado(canvas_->canvas(), liquida, inputs);
    page_ = &canvas_->finish();
    return *page_;
}

} // namespace quelmaro::test
