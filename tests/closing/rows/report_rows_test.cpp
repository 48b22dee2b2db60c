#include "closing/rows/cimpfactura.h"
#include "data/recordset/query.h"
#include "data/types/errors.h"
#include "tests/closing/support/summary_fixture.h"
#include "tests/schema/companies.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

// The rows of the daily closing report read through resumen_dia, with figures worked out by hand.
namespace quelmaro {
namespace {

using test::SummaryRow;

class ReportRows : public testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new test::CompanyRoot;
        connection = test::openDatabase(root->createCompany(QStringLiteral("01"))).release();
        fixture = new test::SummaryFixture(*connection);
    }
    static void TearDownTestSuite() {
        delete fixture;
        delete connection;
        delete root;
    }
    void SetUp() override { fixture->clear(); }

    void open(const QDate& fecha, const QString& ptoini = QStringLiteral("0"),
              const QString& ptofin = QStringLiteral("99999"), const QString& agencia = QStringLiteral("0")) {
        rows.open(ClosingRequest{fecha, {ptoini, ptofin}, agencia});
    }
    // The field on every row, first to last.
    QList<Value> column(const QString& name) {
        QList<Value> values;
        for (rows.CImpfactura.first(); !rows.CImpfactura.eof(); rows.CImpfactura.next())
            values << (rows.CImpfactura.value(name));
        return values;
    }
    static QList<Value> amounts(std::initializer_list<const char*> texts) {
        QList<Value> values;
        for (const char* text : texts)
            values << (Fixed::parse(QLatin1String(text)));
        return values;
    }

    static test::CompanyRoot* root;
    static fb::Connection* connection;
    static test::SummaryFixture* fixture;
    Query QResumen{QStringLiteral("QResumen"), *connection};
    QObject window;
    ClosingReportRows rows{QResumen, &window};
};

test::CompanyRoot* ReportRows::root = nullptr;
fb::Connection* ReportRows::connection = nullptr;
test::SummaryFixture* ReportRows::fixture = nullptr;

TEST(PointRange, CompletedByTextComparison) {
    const std::vector<std::pair<PointRangeText, PointRangeText>> cases = {
        {{"", ""}, {"0", "99999"}},         {{"3", "999999"}, {"3", "99999"}},
        {{"3", "9999A"}, {"3", "99999"}},   {{"3", "100000"}, {"3", "100000"}},
        {{"3", "123456"}, {"3", "123456"}}, {{"3", "99999"}, {"3", "99999"}},
        {{"1", "20"}, {"1", "20"}},         {{"", "5"}, {"0", "5"}},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(completedPointRange(typed), completed)
            << typed.ptoini.toStdString() << ".." << typed.ptofin.toStdString();
}

TEST_F(ReportRows, EveryCalculatedFieldOfThreePointsOfSale) {
    fixture->addKnownDay();
    open(test::kKnownDay);
    ASSERT_EQ(rows.CImpfactura.recordCount(), 3);
    const std::map<QString, QList<Value>> expected = {
        {"IvaTotal", amounts({"11.00", "33.50", "63.50"})},
        {"ExentoTotal", amounts({"200", "300", "350"})},
        {"Gra16Total", amounts({"1000", "3000", "3400"})},
        {"Gra10Total", amounts({"300", "300", "450"})},
        {"Iva16Total", amounts({"10", "30", "60"})},
        {"Iva10Total", amounts({"1", "3.50", "3.50"})},
        {"Iva16Proy", amounts({"20", "60", "120"})},
        {"Iva10Proy", amounts({"2", "7", "7"})},
        {"IvaTotProy", amounts({"22", "67", "127"})},
        {"Iva16CProy", amounts({"14", "0.02", "6"})},
        {"Iva10CProy", amounts({"4", "0", "3"})},
        {"IvaTCProy", amounts({"18", "0.02", "9"})},
        {"Vtanoefe", amounts({"26", "1.25", "0"})},
        {"Vtanoefemes", amounts({"75.50", "14.50", "0"})},
        // The month's totals over all rows, on every row.
        {"ProyVtaCont", amounts({"9200", "9200", "9200"})},
        {"ProyVtaCred", amounts({"2000", "2000", "2000"})},
        {"ProyVtanoefe", amounts({"180", "180", "180"})},
        {"ProyDev", amounts({"210", "210", "210"})},
        {"ProyNeto", amounts({"10990", "10990", "10990"})},
        {"TotVtaGraD", amounts({"120", "200", "20"})},
        {"TotVtaGraM", amounts({"1300", "2000", "550"})},
        {"ProyVtaGra16", amounts({"2600", "4000", "1100"})},
        {"ProyVtaGra10", amounts({"600", "0", "300"})},
        {"ProyVtaExe", amounts({"400", "200", "100"})},
        {"TotVtaGraP", amounts({"2600", "4000", "1100"})},
        {"TotEfectivo", amounts({"274", "-101.25", "250.75"})},
    };
    ASSERT_EQ(expected.size(), ClosingReportRows::calculatedFields().size());
    for (const auto& [field, values] : expected)
        EXPECT_EQ(column(field), values) << field.toStdString();
}

TEST_F(ReportRows, SixteenTotalsOverAllRows) {
    fixture->addKnownDay();
    open(test::kKnownDay);
    const std::map<QString, const char*> expected = {
        {"SumContadoD", "300"}, {"SumCreditoD", "80"},   {"SumVtanoefeD", "27.25"}, {"SumDevD", "15"},
        {"SumNetoD", "365"},    {"SumContadoM", "4600"}, {"SumCreditoM", "1000"},   {"SumVtanoefeM", "90"},
        {"SumDevM", "105"},     {"SumNetoM", "5495"},    {"SumVtaGra1D", "230"},    {"SumVtaGra2D", "110"},
        {"SumVtaExeD", "25"},   {"SumVtaGra1M", "3400"}, {"SumVtaGra2M", "450"},    {"SumVtaExeM", "350"},
    };
    ASSERT_EQ(expected.size(), ClosingReportRows::aggregates().size());
    for (const auto& [name, total] : expected)
        EXPECT_EQ(rows.CImpfactura.aggregate(name), Value(Fixed::parse(QLatin1String(total))))
            << name.toStdString();
}

TEST_F(ReportRows, RunningTotalsEndAtTheSumsOverAllRows) {
    fixture->addKnownDay();
    open(test::kKnownDay);
    EXPECT_EQ(rows.totals.AcumIva16, Fixed::fromInt(60));
    EXPECT_EQ(rows.totals.AcumIva10, Fixed::parse(QStringLiteral("3.5")));
    EXPECT_EQ(rows.totals.AcumIvaTotal, Fixed::parse(QStringLiteral("63.5")));
    EXPECT_EQ(rows.totals.AcumExento, Fixed::fromInt(350));
    EXPECT_EQ(rows.totals.AcumGra16, Fixed::fromInt(3400));
    EXPECT_EQ(rows.totals.AcumGra10, Fixed::fromInt(450));
    // A second open starts again from zero rather than counting the rows twice.
    open(test::kKnownDay);
    EXPECT_EQ(column(QStringLiteral("Iva16Total")), amounts({"10", "30", "60"}));
    EXPECT_EQ(rows.totals.AcumIva16, Fixed::fromInt(60));
}

struct ProjectionCase {
    QDate fecha;
    const char* amount;
    const char* projected;
};

// A month to date stretched to 30 days, rounded to four places with halves to even.
TEST_F(ReportRows, ProjectionsScaleTheMonthToThirtyDays) {
    const ProjectionCase cases[] = {
        {QDate(2024, 3, 1), "12.34", "370.20"},    // the 1st: times 30
        {QDate(2024, 3, 31), "100.00", "96.7742"}, // the 31st: times 30 / 31
        {QDate(2024, 2, 29), "29.00", "30.00"},    // a short month still projects to 30 days
        {QDate(2024, 3, 16), "0.03", "0.0562"},    // 0.05625: the half goes to the even digit
        {QDate(2024, 3, 16), "0.01", "0.0188"},    // 0.01875
    };
    for (const ProjectionCase& c : cases) {
        fixture->clear();
        fixture->add(c.fecha, {7,
                               QStringLiteral("CAJA"),
                               {{"IVA16MES", c.amount},
                                {"IVAC16MES", c.amount},
                                {"VTACONTMES", c.amount},
                                {"VTAGRAVA10MES", c.amount}}});
        open(c.fecha);
        const Value projected = Fixed::parse(QLatin1String(c.projected));
        for (const char* field : {"Iva16Proy", "Iva16CProy", "ProyVtaCont", "ProyVtaGra10", "ProyVtaGra16"})
            EXPECT_EQ(rows.CImpfactura.value(QLatin1String(field)), projected)
                << field << " on " << c.fecha.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(ReportRows, NullColumnsCountAsZero) {
    fixture->add(test::kKnownDay,
                 {4, QStringLiteral("SIN VENTAS"), {{"INICIAL", "120.00"}, {"FINAL", "150.50"}}});
    open(test::kKnownDay);
    ASSERT_EQ(rows.CImpfactura.recordCount(), 1);
    EXPECT_EQ(rows.CImpfactura.value(QStringLiteral("Vtanoefe")), Value(Fixed()));
    EXPECT_EQ(rows.CImpfactura.value(QStringLiteral("TotEfectivo")),
              Value(Fixed::parse(QStringLiteral("30.5"))));
    // Totals of columns that no row fills have no value, and their projections are zero.
    EXPECT_TRUE(rows.CImpfactura.aggregate(QStringLiteral("SumContadoM")).isNull());
    for (const char* field : ClosingReportRows::calculatedFields())
        EXPECT_FALSE(rows.CImpfactura.value(QLatin1String(field)).isNull()) << field;
    EXPECT_EQ(rows.CImpfactura.value(QStringLiteral("ProyVtaCont")), Value(Fixed()));
}

TEST_F(ReportRows, NoRowsForTheDay) {
    fixture->addKnownDay();
    open(test::kKnownDay.addDays(1));
    EXPECT_TRUE(rows.CImpfactura.isOpen());
    EXPECT_EQ(rows.CImpfactura.recordCount(), 0);
    EXPECT_TRUE(rows.CImpfactura.aggregate(QStringLiteral("SumNetoD")).isNull());
}

struct RangeCase {
    const char* ptoini;
    const char* ptofin;
    const char* agencia;
    std::vector<int> points;
};

TEST_F(ReportRows, RangeAndBranchReachTheProcedure) {
    fixture->addKnownDay();
    const RangeCase cases[] = {
        {"0", "99999", "0", {1, 2, 3}}, {"2", "3", "0", {2, 3}}, {"0", "99999", "2", {2}},
        {"1", "1", "0", {1}},           {"3", "2", "0", {}},     {" 2 ", "2", "0", {2}},
        {"0", "100000", "1", {1, 3}},
    };
    for (const RangeCase& c : cases) {
        open(test::kKnownDay, QLatin1String(c.ptoini), QLatin1String(c.ptofin), QLatin1String(c.agencia));
        std::vector<int> points;
        for (const Value& point : column(QStringLiteral("PTOVTA")))
            points.push_back(int(point.toInt()));
        EXPECT_EQ(points, c.points) << c.ptoini << ".." << c.ptofin << " branch " << c.agencia;
    }
}

// Typed values are bound as numbers; a text that is no whole number stops before anything runs.
TEST_F(ReportRows, TypedTextThatIsNoWholeNumberIsAConversionError) {
    fixture->addKnownDay();
    open(test::kKnownDay);
    const RangeCase cases[] = {
        {"1;drop", "99999", "0", {}}, {"0", "abc", "0", {}},     {"0", "99999", "0) union select", {}},
        {"1.5", "99999", "0", {}},    {"   ", "99999", "0", {}},
    };
    for (const RangeCase& c : cases) {
        EXPECT_THROW(
            open(test::kKnownDay, QLatin1String(c.ptoini), QLatin1String(c.ptofin), QLatin1String(c.agencia)),
            ConversionError)
            << c.ptoini << ".." << c.ptofin << " branch " << c.agencia;
        EXPECT_FALSE(rows.CImpfactura.isOpen());
    }
}

} // namespace
} // namespace quelmaro
