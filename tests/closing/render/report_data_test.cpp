// The data of the report: the header once from the last report row with the totals over all rows, then
// one column per point of sale, FORM_ENTRELINEA grid units apart; fonts, settlement mark, no rows.
#include "data/recordset/error.h"
#include "platform/clock.h"
#include "platform/locale_names.h"
#include "tests/closing/render/render_fixture.h"

#include <gmock/gmock.h>

namespace quelmaro {
namespace {

using test::DatumRow;
using test::TextPlace;

constexpr auto L = TextAlign::Left;
constexpr auto R = TextAlign::Right;

Value money(const char* text) {
    return Fixed::parse(QString::fromLatin1(text));
}

class ReportData : public test::RenderingTest {
protected:
    // Three points of sale; the month's non-cash sales of the second are null.
    void addThreePoints() {
        addReportRow({{"PTOVTA", 1},
                      {"PTOVTANOM", "PUNTO CENTRAL"},
                      {"VTANETADIA", money("100.25")},
                      {"CMPTOTALDIA", money("1000")},
                      {"Vtanoefemes", money("10")},
                      {"Iva16Proy", money("20")}});
        addReportRow({{"PTOVTA", 2},
                      {"PTOVTANOM", "NORTE"},
                      {"VTANETADIA", money("200.50")},
                      {"CMPTOTALDIA", money("2000")},
                      {"Iva16Proy", money("60")}});
        addReportRow({{"PTOVTA", 3},
                      {"PTOVTANOM", "SUR OCCIDENTE"},
                      {"VTANETADIA", money("300.75")},
                      {"CMPTOTALDIA", money("3456.785")},
                      {"Vtanoefemes", money("5.5")},
                      {"Iva16Proy", money("120")}});
    }
    // The data come in the order the table of formats delivers them; only their places count here.
    std::vector<TextPlace> places() const {
        std::vector<TextPlace> result;
        for (const test::PrintedText& text : texts())
            result.push_back(test::place(text));
        return result;
    }
};

TEST_F(ReportData, TheHeaderPrintsOnceFromTheLastRowWithTotalsOverAllRows) {
    const platform::FixedClock clock(QDateTime(QDate(2007, 12, 1), QTime(21, 5, 7)));
    addFormat(300);
    addDatum({.dato = "FECHA", .posx = 1100, .posy = 80, .longitud = 10, .ini = 1});
    addDatum({.dato = "FECHA LETRAS", .posx = 1100, .posy = 110, .longitud = 40});
    addDatum({.dato = "CODIGO USUARIO", .posx = 1100, .posy = 140, .longitud = 5});
    addDatum({.dato = "HORA REGISTRO", .posx = 1100, .posy = 170, .longitud = 8});
    addDatum({.dato = "COMPRA TOTAL DIA", .posx = 600, .posy = 1350, .formato = "2"});
    addDatum({.dato = "TOTAL VENTA NETA DIA", .posx = 900, .posy = 1350, .formato = "0"});
    addDatum({.dato = "IVA1 PROYECTADO", .posx = 1200, .posy = 1350});
    addDatum({.dato = "TOTAL VENTA FORMAS MES", .posx = 600, .posy = 1400, .formato = "no"});
    addDatum({.dato = "VENTA GRAVADA2 PROYECTADA", .posx = 900, .posy = 1400, .formato = "1"});
    addDatum({.dato = "VENTA CONTADO DIA", .posx = 100, .posy = 100}); // a point-of-sale name
    addDatum({.dato = "fecha", .posx = 100, .posy = 200, .longitud = 10});
    addThreePoints();

    render();
    const QString inWords =
        platform::dayName(6) + QStringLiteral(", ") + platform::monthName(12) + QStringLiteral(" 1, 2007");
    const std::vector<TextPlace> expected{
        {"2007/12/01", L, gx(1100), gy(80)},
        {inWords, L, gx(1100), gy(110)},
        {"SUPER", L, gx(1100), gy(140)},
        {"21:05:07", L, gx(1100), gy(170)},
        {"3,456.78", R, gx(600), gy(1350)}, // the last row's, rounded half to even
        {"602", R, gx(900), gy(1350)},      // 601.50 over the three rows
        {"120.00", R, gx(1200), gy(1350)},
        {"15.50", R, gx(600), gy(1400)}, // the null month of the second point counts nothing
        {"0.0", R, gx(900), gy(1400)},
    };
    EXPECT_THAT(places(), testing::UnorderedElementsAreArray(expected));
}

TEST_F(ReportData, EachPointOfSalePrintsEntrelineaFurtherRightOnTheSameLines) {
    addFormat(300);
    addDatum({.dato = "PUNTO DE VENTA", .posx = 300, .posy = 560, .repite = "S", .longitud = 8, .ini = 1});
    addDatum({.dato = "VENTA NETA DIA", .posx = 400, .posy = 600, .repite = "S", .formato = "2"});
    addDatum({.dato = "VENTA TOTAL DIA", .posx = 400, .posy = 620, .repite = "S", .imprime = "N"});
    addDatum({.dato = "DEVOLUCION DIA", .posx = 400, .posy = 640, .repite = "X"});
    addDatum({.dato = "FORMA PAGO 1", .posx = 400, .posy = 660, .repite = "S", .liquida = "S"});
    addDatum({.dato = "TOTAL VENTA NETA DIA", .posx = 400, .posy = 680, .repite = "S"}); // a header name
    addThreePoints();

    render();
    const std::vector<TextPlace> expected{
        {"PUNTO CE", L, gx(300), gy(560)}, {"100.25", R, gx(400), gy(600)},
        {"NORTE", L, gx(600), gy(560)},    {"200.50", R, gx(700), gy(600)},
        {"SUR OCCI", L, gx(900), gy(560)}, {"300.75", R, gx(1000), gy(600)},
    };
    const std::vector<TextPlace> printed = places();
    ASSERT_EQ(printed.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(printed[i].text, expected[i].text);
        EXPECT_EQ(printed[i].align, expected[i].align);
        EXPECT_NEAR(printed[i].x, expected[i].x, 1e-5) << expected[i].text.toStdString();
        EXPECT_EQ(printed[i].y, expected[i].y);
    }
    EXPECT_EQ(renderer.indice_punto, 3);
    EXPECT_TRUE(CImpfactura.eof()) << "the rows are left past the last";
}

TEST_F(ReportData, TheColumnsCountOnFromTheIndexTheCallerLeft) {
    addFormat(300);
    addDatum({.dato = "VENTA NETA DIA", .posx = 400, .posy = 600, .repite = "S"});
    addThreePoints();
    renderer.indice_punto = 2;
    render();
    const auto printed = texts();
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_NEAR(printed[0].x, gx(1000), 1e-5);
    EXPECT_NEAR(printed[2].x, gx(1600), 1e-5) << "beyond the sheet, still sent to the page";
    EXPECT_EQ(renderer.indice_punto, 5);
}

TEST_F(ReportData, WithoutEntrelineaThePointsOfSalePrintOnTopOfOneAnother) {
    for (const Value& entrelinea : {Value(0), Value()}) {
        SCOPED_TRACE(entrelinea.toString().toStdString());
        TearDown();
        SetUp();
        addFormat(entrelinea);
        addDatum({.dato = "VENTA NETA DIA", .posx = 400, .posy = 600, .repite = "S"});
        addThreePoints();
        renderer.indice_punto = 0;
        render();
        const auto printed = texts();
        ASSERT_EQ(printed.size(), 3u);
        for (const test::PrintedText& text : printed)
            EXPECT_NEAR(text.x, gx(400), 1e-5);
    }
}

TEST_F(ReportData, WithoutRowsTheFormatAndTheHeaderStillPrintWithZeros) {
    addFormat(300);
    addElement({.tipo = "T", .posx = 50, .posy = 50, .cadena = "RESUMEN"});
    addElement({.tipo = "L", .posx = 40, .posy = 265, .x = 1420});
    addDatum({.dato = "FECHA", .posx = 1100, .posy = 80, .longitud = 10});
    addDatum({.dato = "COMPRA TOTAL DIA", .posx = 600, .posy = 1350});
    addDatum({.dato = "TOTAL VENTA NETA DIA", .posx = 900, .posy = 1350, .formato = "0"});
    addDatum({.dato = "VENTA NETA DIA", .posx = 400, .posy = 600, .repite = "S"});

    const Page& page = render();
    const std::vector<TextPlace> expected{
        {"RESUMEN", L, gx(50), gy(50)},
        {"2007/12/01", L, gx(1100), gy(80)},
        {"0.00", R, gx(600), gy(1350)},
        {"0", R, gx(900), gy(1350)},
    };
    EXPECT_THAT(places(), testing::UnorderedElementsAreArray(expected));
    EXPECT_TRUE(std::any_of(page.commands.begin(), page.commands.end(),
                            [](const DrawCommand& c) { return std::holds_alternative<LineCommand>(c); }));
    EXPECT_EQ(renderer.indice_punto, 0);
}

// The format's data come ordered by name, so the names here follow the order of the steps.
TEST_F(ReportData, ADatumSetsItsFontEvenWhenItsNameMatchesNothing) {
    addFormat(0, Value(), Value()); // no defaults in the format
    addDatum({.dato = "A NINGUNO", .posx = 100, .posy = 100, .font = "Courier New", .fsize = 11});
    addDatum({.dato = "CODIGO USUARIO", .posx = 100, .posy = 200, .longitud = 10});
    addDatum({.dato = "COMPRA TOTAL DIA", .posx = 600, .posy = 300, .font = "Times", .fsize = 0});
    addDatum({.dato = "COMPRA TOTAL MES", .posx = 600, .posy = 400, .font = "Times"});
    addDatum({.dato = "FECHA", .posx = 100, .posy = 500, .longitud = 10, .font = "Times", .fsize = 9});
    addDatum({.dato = "HORA REGISTRO", .posx = 100, .posy = 600, .longitud = 10, .fsize = 12});
    render();
    const auto printed = texts();
    ASSERT_EQ(printed.size(), 5u);
    const QStringList fonts{"Courier New 11", "Courier New 11", "Courier New 11", "Times 9", " 12"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(printed[i].font + QStringLiteral(" %1").arg(printed[i].size), fonts[i]) << i;
    EXPECT_EQ(printed[0].text, "SUPERVISOR");
    EXPECT_EQ(printed[4].text.size(), 8) << "no name anywhere but a size: the canvas takes an empty name";
}

TEST_F(ReportData, SettlementDataPrintOnlyInASettlementAndNeverPerPointOfSale) {
    addFormat(300);
    addDatum({.dato = "FECHA", .posx = 100, .posy = 100, .longitud = 10, .liquida = "S"});
    addDatum({.dato = "CODIGO USUARIO", .posx = 100, .posy = 200, .longitud = 10, .liquida = "N"});
    addDatum({.dato = "COMPRA TOTAL DIA", .posx = 600, .posy = 300});
    addDatum({.dato = "VENTA NETA DIA", .posx = 400, .posy = 600, .repite = "S", .liquida = "S"});
    addDatum({.dato = "PUNTO DE VENTA", .posx = 300, .posy = 560, .repite = "S", .longitud = 20});
    addThreePoints();

    const auto printedTexts = [&](bool liquida) {
        renderer.indice_punto = 0;
        render(liquida);
        QStringList result;
        for (const test::PrintedText& text : texts())
            result << text.text;
        result.sort();
        return result;
    };
    EXPECT_EQ(printedTexts(false),
              QStringList({"3,456.78", "NORTE", "PUNTO CENTRAL", "SUPERVISOR", "SUR OCCIDENTE"}));
    EXPECT_EQ(printedTexts(true), QStringList({"2007/12/01", "NORTE", "PUNTO CENTRAL", "SUR OCCIDENTE"}));
}

TEST_F(ReportData, RowsThatAreNotOpenEndTheDrawingAfterTheFormatsElements) {
    addFormat(0);
    addElement({.tipo = "L", .posx = 40, .posy = 265, .x = 1420});
    addDatum({.dato = "FECHA", .posx = 100, .posy = 100, .longitud = 10});
    ASSERT_TRUE(format.select(kDocumentType));
    test::PageCanvas page;
    EXPECT_THROW(renderer.imprime_encabezado(page.canvas(), false, inputs), RecordSetError);
    const Page& drawn = page.finish();
    EXPECT_TRUE(std::any_of(drawn.commands.begin(), drawn.commands.end(),
                            [](const DrawCommand& c) { return std::holds_alternative<LineCommand>(c); }));
    EXPECT_TRUE(test::printedTexts(drawn).empty());
}

} // namespace
} // namespace quelmaro
