#pragma once

#include "closing/format/format_records.h"
#include "closing/render/closing_renderer.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "tests/closing/format/company_database.h"
#include "tests/closing/format/page_reading.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <gtest/gtest.h>

namespace quelmaro::test {

// A drawing element of the test format (FORMATO_LINEAS).
struct ElementRow {
    const char* tipo;
    int posx = 0, posy = 0, x = 0, y = 0;
    Value cadena{}, font{}, fsize{}, liquida{};
    QByteArray imagen{};
};

// A datum of the test format (FORMATO_DATOS).
struct DatumRow {
    const char* dato;
    int posx = 0, posy = 0;
    Value repite = "N";
    Value formato{}, longitud{}, ini{}, font{}, fsize{}, liquida{};
    Value imprime = "S";
};

// A row to insert: column names and values.
using ColumnValues = QList<QPair<const char*, Value>>;

// A company database with a format of document type 900 that each test lays out, and a table of report
// rows with every field the data name, read as the closing window reads its rows: through a provider into
// CImpfactura, with the sixteen totals over all rows. The format is drawn on letter paper's grid.
class RenderingTest : public testing::Test {
protected:
    static constexpr int kDocumentType = 900;

    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    void addFormat(Value entrelinea, Value font = "Arial", Value fsize = 7);
    void addElement(const ElementRow& row);
    void addDatum(const DatumRow& row);
    void addReportRow(const ColumnValues& row);

    // Opens the format and the rows, renders on a new page and gives the page.
    const Page& render(bool liquida = false);
    // The texts of the last page rendered.
    std::vector<PrintedText> texts() const { return printedTexts(*page_); }
    // Grid units to report units, as stored on the page.
    static float gx(double units) { return float(units * 0.0057); }
    static float gy(double units) { return float(units * 0.0055); }

    static CompanyDatabase* company;
    QObject window;
    FormatRecords format{company->Tformatos, &window};
    Query QResumen{QStringLiteral("QResumen"), company->connection()};
    Provider PImpFactura{QStringLiteral("PImpFactura"), QResumen, &window};
    RecordSet CImpfactura{QStringLiteral("CImpfactura"), &window};
    ClosingReportRenderer renderer{format, CImpfactura};
    ReportHeaderInputs inputs{QDate(2007, 12, 1), QStringLiteral("SUPERVISOR")};

private:
    void insert(const char* table, const ColumnValues& row);

    int items_ = 0;
    std::unique_ptr<PageCanvas> canvas_;
    const Page* page_ = nullptr;
};

} // namespace quelmaro::test
