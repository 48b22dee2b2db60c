// The whole closing report of the demo company on its stored format, turned into a PDF and read back:
// every figure of every point of sale and of the header where the format puts it, worked out here
// independently from resumen_dia.
#include "closing/format/format_grid.h"
#include "closing/format/format_records.h"
#include "closing/render/closing_renderer.h"
#include "closing/rows/cimpfactura.h"
#include "platform/clock.h"
#include "platform/locale_names.h"
#include "report/render_pdf.h"
#include "tests/closing/format/company_database.h"
#include "tests/closing/format/page_reading.h"
#include "tests/report/report_test_support.h"

#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace quelmaro {
namespace {

const QDate kReportDate(2024, 3, 15);
const QTime kPrintTime(18, 30, 5);

// One row of resumen_dia: numbers by column, nulls as zero.
using Figures = QHash<QString, Fixed>;

// What the day's resumen_dia says, and the report's figures derived from it by hand.
struct Summary {
    std::vector<Figures> rows;
    QStringList names;

    Fixed sum(const char* column) const {
        Fixed total;
        for (const Figures& row : rows)
            total += row.value(QLatin1String(column));
        return total;
    }
    Fixed last(const char* column) const { return rows.back().value(QLatin1String(column)); }
    // A month to date stretched to 30 days.
    static Fixed projected(Fixed value) {
        return value * Fixed::fromInt(30) / Fixed::fromInt(kReportDate.day());
    }
    static Fixed nonCash(const Figures& row, const char* suffix) {
        Fixed total;
        for (int form = 2; form <= 5; ++form)
            total += row.value(QStringLiteral("FORMAP%1%2").arg(form).arg(QLatin1String(suffix)));
        return total;
    }
    Fixed nonCashTotal(const char* suffix) const {
        Fixed total;
        for (const Figures& row : rows)
            total += nonCash(row, suffix);
        return total;
    }
};

using HeaderFigure = std::function<Fixed(const Summary&)>;
using PointFigure = std::function<Fixed(const Figures&)>;

HeaderFigure lastRow(const char* column) {
    return [column](const Summary& s) { return s.last(column); };
}
HeaderFigure total(const char* column) {
    return [column](const Summary& s) { return s.sum(column); };
}
HeaderFigure projectedTotal(const char* column) {
    return [column](const Summary& s) { return Summary::projected(s.sum(column)); };
}
HeaderFigure projectedLast(const char* column) {
    return [column](const Summary& s) { return Summary::projected(s.last(column)); };
}
PointFigure own(const char* column) {
    return [column](const Figures& row) { return row.value(QLatin1String(column)); };
}

const QHash<QString, HeaderFigure>& headerFigures() {
    static const QHash<QString, HeaderFigure> figures{
        {"COMPRA TOTAL DIA", lastRow("CMPTOTALDIA")},
        {"COMPRA TOTAL MES", lastRow("CMPTOTALMES")},
        {"COMPRA CONTADO DIA", lastRow("CMPCONTADODIA")},
        {"COMPRA CONTADO MES", lastRow("CMPCONTADOMES")},
        {"COMPRA CREDITO DIA", lastRow("CMPCREDITODIA")},
        {"COMPRA CREDITO MES", lastRow("CMPCREDITOMES")},
        {"DEVCOMPRA DIA", lastRow("DEVCMPDIA")},
        {"DEVCOMPRA MES", lastRow("DEVCMPMES")},
        {"COMPRA NETA DIA", lastRow("CMPNETADIA")},
        {"COMPRA NETA MES", lastRow("CMPNETAMES")},
        {"COMPRA EXENTA DIA", lastRow("CMPEXENTADIA")},
        {"COMPRA EXENTA MES", lastRow("CMPEXENTAMES")},
        {"COMPRA GRAVADA1 DIA", lastRow("CMPGRAVA16DIA")},
        {"COMPRA GRAVADA1 MES", lastRow("CMPGRAVA16MES")},
        {"COMPRA GRAVADA2 DIA", lastRow("CMPGRAVA10DIA")},
        {"COMPRA GRAVADA2 MES", lastRow("CMPGRAVA10MES")},
        {"IVA1 COMPRAS DIA", lastRow("IVAC16DIA")},
        {"IVA1 COMPRAS MES", lastRow("IVAC16MES")},
        {"IVA2 COMPRAS DIA", lastRow("IVAC10DIA")},
        {"IVA2 COMPRAS MES", lastRow("IVAC10MES")},
        {"IVA1 PROYECTADO", projectedTotal("IVA16MES")},
        {"IVA2 PROYECTADO", projectedTotal("IVA10MES")},
        {"IVA TOTAL PROYECTADO",
         [](const Summary& s) { return Summary::projected(s.sum("IVA16MES") + s.sum("IVA10MES")); }},
        {"IVA1 COMPRAS PROYECTADO", projectedLast("IVAC16MES")},
        {"IVA2 COMPRAS PROYECTADO", projectedLast("IVAC10MES")},
        {"IVA TOTAL COMPRAS PROYECTADO",
         [](const Summary& s) { return Summary::projected(s.last("IVAC16MES") + s.last("IVAC10MES")); }},
        {"TOTAL VENTA CONTADO DIA", total("VTACONTDIA")},
        {"TOTAL VENTA CREDITO DIA", total("VTACREDDIA")},
        {"TOTAL VENTA FORMAS DIA", [](const Summary& s) { return s.nonCashTotal(""); }},
        {"TOTAL DEVOLUCION DIA", total("DEVOLDIA")},
        {"TOTAL VENTA NETA DIA", total("VTANETADIA")},
        {"TOTAL VENTA CONTADO MES", total("VTACONTMES")},
        {"TOTAL VENTA CREDITO MES", total("VTACREDMES")},
        {"TOTAL VENTA FORMAS MES", [](const Summary& s) { return s.nonCashTotal("MES"); }},
        {"TOTAL DEVOLUCION MES", total("DEVOLMES")},
        {"TOTAL VENTA NETA MES", total("VTANETAMES")},
        {"VENTA CONTADO PROYECTADA", projectedTotal("VTACONTMES")},
        {"VENTA CREDITO PROYECTADA", projectedTotal("VTACREDMES")},
        {"VENTA FORMAS PROYECTADA",
         [](const Summary& s) { return Summary::projected(s.nonCashTotal("MES")); }},
        {"DEVOLUCION PROYECTADA", projectedTotal("DEVOLMES")},
        {"VENTA NETA PROYECTADA", projectedTotal("VTANETAMES")},
        {"TOTAL VENTA GRAVADA1 DIA", total("VTAGRAVA16DIA")},
        {"TOTAL VENTA GRAVADA2 DIA", total("VTAGRAVA10DIA")},
        {"TOTAL VENTA EXENTA DIA", total("VTAEXENTADIA")},
        {"TOTAL VENTA GRAVADA1 MES", total("VTAGRAVA16MES")},
        {"TOTAL VENTA GRAVADA2 MES", total("VTAGRAVA10MES")},
        {"TOTAL VENTA EXENTA MES", total("VTAEXENTAMES")},
        {"VENTA GRAVADA1 PROYECTADA",
         [](const Summary& s) {
             return Summary::projected(s.last("VTAGRAVA16MES") + s.last("VTAGRAVA10MES"));
         }},
        {"VENTA GRAVADA2 PROYECTADA", projectedLast("VTAGRAVA10MES")},
        {"VENTA EXENTA PROYECTADA", projectedLast("VTAEXENTAMES")},
    };
    return figures;
}

const QHash<QString, PointFigure>& pointFigures() {
    static const QHash<QString, PointFigure> figures{
        {"VENTA CONTADO DIA", own("VTACONTDIA")},
        {"VENTA CONTADO MES", own("VTACONTMES")},
        {"VENTA CREDITO DIA", own("VTACREDDIA")},
        {"VENTA CREDITO MES", own("VTACREDMES")},
        {"VENTA TOTAL DIA", own("VTATOTALDIA")},
        {"VENTA TOTAL MES", own("VTATOTALMES")},
        {"DEVOLUCION DIA", own("DEVOLDIA")},
        {"DEVOLUCION MES", own("DEVOLMES")},
        {"VENTA NETA DIA", own("VTANETADIA")},
        {"VENTA NETA MES", own("VTANETAMES")},
        {"VENTA EXENTA DIA", own("VTAEXENTADIA")},
        {"VENTA EXENTA MES", own("VTAEXENTAMES")},
        {"VENTA GRAVADA1 DIA", own("VTAGRAVA16DIA")},
        {"VENTA GRAVADA1 MES", own("VTAGRAVA16MES")},
        {"VENTA GRAVADA2 DIA", own("VTAGRAVA10DIA")},
        {"VENTA GRAVADA2 MES", own("VTAGRAVA10MES")},
        {"IVA1 DIA", own("IVA16DIA")},
        {"IVA1 MES", own("IVA16MES")},
        {"IVA2 DIA", own("IVA10DIA")},
        {"IVA2 MES", own("IVA10MES")},
        {"DESCUENTOS DIA", own("DESCTOSDIA")},
        {"DESCUENTOS MES", own("DESCTOSMES")},
        {"SALDO INICIAL CAJA", own("INICIAL")},
        {"SALDO FINAL CAJA", own("FINAL")},
        {"INGRESO CARTERA", own("INGCARTERA")},
        {"VENTA OTRAS FORMAS", [](const Figures& row) { return Summary::nonCash(row, ""); }},
        {"VENTA OTRAS FORMAS MES", [](const Figures& row) { return Summary::nonCash(row, "MES"); }},
        {"INGRESO OTROS", own("INGOTROS")},
        {"INGRESO TOTAL", own("INGTOTAL")},
        {"EGRESO CXPAGAR", own("EGRPROV")},
        {"EGRESO OTROS", own("EGROTROS")},
        {"EGRESO TOTAL", own("EGRTOTAL")},
        {"EGRESO CLASE1", own("EGRCLASE1")},
        {"EGRESO CLASE2", own("EGRCLASE2")},
        {"CONSIGNACIONES", own("CONSIGNA")},
        {"TRASLADOS ENVIADOS", own("TRASLADO")},
        {"TRASLADOS RECIBIDOS", own("TRASLADOR")},
        {"FORMA PAGO 1", own("FORMAP1")},
        {"FORMA PAGO 2", own("FORMAP2")},
        {"FORMA PAGO 3", own("FORMAP3")},
        {"FORMA PAGO 4", own("FORMAP4")},
        {"FORMA PAGO 5", own("FORMAP5")},
        {"CARTERA DIA", own("CARTERA")},
        {"TOTAL EFECTIVO",
         [](const Figures& row) {
             return row.value("FINAL") - row.value("INICIAL") - Summary::nonCash(row, "");
         }},
    };
    return figures;
}

// A text the page should show: its words from a left edge or up to a right edge, on a baseline, in inches.
struct Expected {
    QString what;
    QString text;
    bool rightAligned;
    double x, y;
};

class ClosingPage : public testing::Test {
protected:
    static void SetUpTestSuite() {
        company = new test::CompanyDatabase({"--points", "4", "--days", "20", "--end", "2024/03/15"});
    }
    static void TearDownTestSuite() {
        delete company;
        company = nullptr;
    }

    Summary summary() {
        const fb::QueryResult result = company->connection().query(
            QStringLiteral("select * from resumen_dia(?, 0, 99999, 0)"), {kReportDate});
        Summary s;
        for (const fb::Row& values : result.rows) {
            Figures row;
            for (int i = 0; i < result.columns.size(); ++i)
                if (result.columns[i].type == fb::ColumnType::Fixed)
                    row.insert(result.columns[i].name, values[i].toFixed());
            s.rows.push_back(row);
            s.names << values[result.columnIndex(QStringLiteral("PTOVTANOM"))].toString();
        }
        return s;
    }

    // Every datum of the stored format with what it must print, where.
    std::vector<Expected> expectedData(const Summary& s) {
        const fb::QueryResult format = company->connection().query(QStringLiteral(
            "select d.dafo_dato, d.dafo_posx, d.dafo_posy, d.dafo_repite, d.dafo_formato, d.dafo_long, "
            "d.dafo_ini, "
            "f.form_entrelinea from formato_datos d join formatos f on f.tido_cod = d.tido_cod "
            "and f.pref_pre = d.pref_pre where d.tido_cod = 131 and d.dafo_imprime = 'S'"));
        const auto cut = [](const QString& text, const fb::Row& datum) {
            const std::int64_t first = std::max<std::int64_t>(datum[6].toInt(), 1);
            return datum[5].toInt() > 0 ? text.mid(first - 1, datum[5].toInt()) : QString();
        };
        const QString inWords =
            QStringLiteral("%1, %2 %3, %4")
                .arg(platform::dayName(kReportDate.dayOfWeek()), platform::monthName(kReportDate.month()))
                .arg(kReportDate.day())
                .arg(kReportDate.year());
        const QHash<QString, QString> headerTexts{{"FECHA", "2024/03/15"},
                                                  {"FECHA LETRAS", inWords},
                                                  {"CODIGO USUARIO", "CAJERO1"},
                                                  {"HORA REGISTRO", "18:30:05"}};
        std::vector<Expected> expected;
        for (const fb::Row& datum : format.rows) {
            const QString name = datum[0].toString();
            const double x = datum[1].toInt() * 0.0057, y = datum[2].toInt() * 0.0055;
            const int decimals = datum[4].toString().toInt();
            if (datum[3].toString() == QLatin1String("N")) {
                if (headerTexts.contains(name))
                    expected.push_back({name, cut(headerTexts[name], datum), false, x, y});
                else
                    expected.push_back({name, headerFigures().value(name)(s).format(decimals), true, x, y});
                continue;
            }
            for (std::size_t point = 0; point < s.rows.size(); ++point) {
                const double column = x + datum[7].toInt() * double(point) * 0.0057;
                const QString what = name + QStringLiteral(" of ") + s.names[point];
                if (name == QLatin1String("PUNTO DE VENTA"))
                    expected.push_back({what, cut(s.names[point], datum), false, column, y});
                else
                    expected.push_back(
                        {what, pointFigures().value(name)(s.rows[point]).format(decimals), true, column, y});
            }
        }
        return expected;
    }

    static test::CompanyDatabase* company;
};

test::CompanyDatabase* ClosingPage::company = nullptr;

// Whether the words of `text` stand on the page from (or up to) x on the baseline y, within a point.
bool shows(const test::PdfPage& page, const Expected& expected) {
    constexpr double kSlack = 1.5; // points
    const QStringList words = expected.text.split(u' ', Qt::SkipEmptyParts);
    const double x = expected.x * 72, y = expected.y * 72;
    for (const test::PdfWord& word : page.words) {
        const bool placed =
            expected.rightAligned ? std::abs(word.xMax - x) < kSlack : std::abs(word.xMin - x) < kSlack;
        const QString& edgeWord = expected.rightAligned ? words.last() : words.first();
        if (word.text == edgeWord && placed && word.yMin - kSlack <= y && y <= word.yMax + kSlack) {
            // The other words follow on the same line.
            for (const QString& other : words)
                if (std::none_of(page.words.begin(), page.words.end(), [&](const test::PdfWord& w) {
                        return w.text == other && std::abs(w.yMin - word.yMin) < kSlack;
                    }))
                    return false;
            return true;
        }
    }
    return false;
}

TEST_F(ClosingPage, EveryFigureOfTheDemoReportStandsWhereTheFormatPutsIt) {
    const platform::FixedClock clock(QDateTime(kReportDate, kPrintTime));
    QObject window;
    Query QResumen(QStringLiteral("QResumen"), company->connection());
    ClosingReportRows rows(QResumen, &window);
    rows.open({kReportDate, {QStringLiteral("0"), QStringLiteral("99999")}, QStringLiteral("0")});
    FormatRecords format(company->Tformatos, &window);
    ASSERT_TRUE(format.select(131));

    test::PageCanvas page;
    ClosingReportRenderer renderer(format, rows.CImpfactura);
    renderer.grid = FormatGrid::forPaper(page.canvas().PaperWidth(), page.canvas().PaperHeight());
    renderer.imprime_encabezado(page.canvas(), false, {kReportDate, QStringLiteral("CAJERO1")});
    PageStore store;
    store.pages.push_back(page.finish());
    EXPECT_EQ(renderer.indice_punto, 4);

    test::TempDir dir;
    TRenderPdf pdf;
    pdf.OutputFile = dir.filePath(QStringLiteral("cierre.pdf"));
    pdf.RenderStream(store);
    const std::vector<test::PdfPage> pages = test::readPdfWords(pdf.OutputFile);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[0].height, 792, 0.5);

    const Summary s = summary();
    ASSERT_EQ(s.rows.size(), 4u);
    const std::vector<Expected> expected = expectedData(s);
    EXPECT_EQ(expected.size(), 54u + 4 * 45);
    for (const Expected& datum : expected)
        EXPECT_TRUE(shows(pages[0], datum)) << datum.what.toStdString() << ": " << datum.text.toStdString()
                                            << " at " << datum.x << ", " << datum.y;

    for (const char* caption : {"RESUMEN", "Elaboró", "Revisó", "Saldo"})
        EXPECT_TRUE(test::findWord(pages[0], QString::fromUtf8(caption))) << caption;
    const QString images =
        test::runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf.OutputFile});
    EXPECT_EQ(images.split(u'\n', Qt::SkipEmptyParts).size(), 3) << "a heading, a rule and the logo:\n"
                                                                 << images.toStdString();
    EXPECT_TRUE(images.contains(QRegularExpression(QStringLiteral("\\s160\\s+64\\s"))))
        << images.toStdString();
}

} // namespace
} // namespace quelmaro
