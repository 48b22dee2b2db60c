#include "tests/closing/support/summary_fixture.h"

#include "closing/rows/cimpfactura.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <memory>
#include <stdexcept>

namespace quelmaro::test {

namespace {

QString columnType(const QString& column) {
    if (column == QLatin1String("PTOVTA"))
        return QStringLiteral("integer");
    if (column == QLatin1String("PTOVTANOM"))
        return QStringLiteral("varchar(60)");
    return QStringLiteral("numeric(15,2)");
}

} // namespace

const std::vector<SummaryRow>& knownDayRows() {
    static const std::vector<SummaryRow> rows = {
        {1,
         QStringLiteral("CAJA UNO"),
         {{"VTACONTDIA", "100.00"},     {"VTACONTMES", "1500.00"},   {"VTACREDDIA", "50.00"},
          {"VTACREDMES", "450.00"},     {"DEVOLDIA", "10.00"},       {"DEVOLMES", "30.00"},
          {"VTANETADIA", "140.00"},     {"VTANETAMES", "1920.00"},   {"VTAEXENTADIA", "20.00"},
          {"VTAGRAVA16DIA", "80.00"},   {"VTAGRAVA10DIA", "40.00"},  {"VTAEXENTAMES", "200.00"},
          {"VTAGRAVA16MES", "1000.00"}, {"VTAGRAVA10MES", "300.00"}, {"IVA16MES", "10.00"},
          {"IVA10MES", "1.00"},         {"IVAC16MES", "7.00"},       {"IVAC10MES", "2.00"},
          {"INICIAL", "500.00"},        {"FINAL", "800.00"},         {"FORMAP2", "5.00"},
          {"FORMAP3", "6.00"},          {"FORMAP4", "7.00"},         {"FORMAP5", "8.00"},
          {"FORMAP2MES", "50.00"},      {"FORMAP4MES", "25.50"}}},
        {2,
         QStringLiteral("CAJA DOS"),
         {{"VTACONTDIA", "200.00"},
          {"VTACONTMES", "2500.00"},
          {"VTACREDMES", "550.00"},
          {"DEVOLMES", "70.00"},
          {"VTANETADIA", "200.00"},
          {"VTANETAMES", "2980.00"},
          {"VTAGRAVA16DIA", "150.00"},
          {"VTAGRAVA10DIA", "50.00"},
          {"VTAEXENTAMES", "100.00"},
          {"VTAGRAVA16MES", "2000.00"},
          {"IVA16MES", "20.00"},
          {"IVA10MES", "2.50"},
          {"IVAC16MES", "0.01"},
          {"INICIAL", "1000.00"},
          {"FINAL", "900.00"},
          {"FORMAP2", "1.25"},
          {"FORMAP3MES", "10.00"},
          {"FORMAP5MES", "4.50"}},
         2},
        {3,
         QStringLiteral("CAJA TRES"),
         {{"VTACONTDIA", "0.00"},
          {"VTACONTMES", "600.00"},
          {"VTACREDDIA", "30.00"},
          {"DEVOLDIA", "5.00"},
          {"DEVOLMES", "5.00"},
          {"VTANETADIA", "25.00"},
          {"VTANETAMES", "595.00"},
          {"VTAEXENTADIA", "5.00"},
          {"VTAGRAVA10DIA", "20.00"},
          {"VTAEXENTAMES", "50.00"},
          {"VTAGRAVA16MES", "400.00"},
          {"VTAGRAVA10MES", "150.00"},
          {"IVA16MES", "30.00"},
          {"IVAC16MES", "3.00"},
          {"IVAC10MES", "1.50"},
          {"INICIAL", "200.00"},
          {"FINAL", "450.75"}}},
    };
    return rows;
}

SummaryFixture::SummaryFixture(fb::Connection& connection) : connection_(connection) {
    QStringList declarations, columns, targets;
    for (const char* name : ClosingReportRows::columns()) {
        const QString column = QLatin1String(name);
        declarations << column + QLatin1Char(' ') + columnType(column);
        columns << column;
        targets << QLatin1Char(':') + column;
    }
    connection_.execute(
        QStringLiteral("create table filas_resumen (orden integer, fecha date, sucursal integer, %1)")
            .arg(declarations.join(QStringLiteral(", "))));
    connection_.execute(
        QStringLiteral(
            "create or alter procedure resumen_dia (fecha date, ptoini integer, ptofin integer, "
            "sucursal integer) returns (%1) as begin "
            "for select %2 from filas_resumen f where f.fecha = :fecha "
            "and f.ptovta between :ptoini and :ptofin and (:sucursal = 0 or f.sucursal = :sucursal) "
            "order by f.orden into %3 do suspend; end")
            .arg(declarations.join(QStringLiteral(", ")), columns.join(QStringLiteral(", ")),
                 targets.join(QStringLiteral(", "))));
}

void SummaryFixture::add(const QDate& fecha, const SummaryRow& row) {
    QStringList columns{QStringLiteral("orden"), QStringLiteral("fecha"), QStringLiteral("sucursal"),
                        QStringLiteral("ptovta"), QStringLiteral("ptovtanom")};
    QList<Value> values{++added_, fecha, row.sucursal, row.ptovta, row.ptovtanom};
    for (const auto& [column, amount] : row.money) {
        columns << QLatin1String(column);
        values << Fixed::parse(QLatin1String(amount));
    }
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    connection_.execute(QStringLiteral("insert into filas_resumen (%1) values (%2)")
                            .arg(columns.join(u','), marks.join(u',')),
                        values);
}

void SummaryFixture::addKnownDay() {
    for (const SummaryRow& row : knownDayRows())
        add(kKnownDay, row);
}

void SummaryFixture::clear() {
    connection_.execute(QStringLiteral("delete from filas_resumen"));
}

QString copyKnownDayCompany(const CompanyRoot& root, const QString& company) {
    static const std::unique_ptr<CompanyRoot> made = [] {
        auto company = std::make_unique<CompanyRoot>();
        const auto connection = openDatabase(company->createCompany(QStringLiteral("01")));
        SummaryFixture(*connection).addKnownDay();
        return company;
    }();
    const QString copy = root.database(company);
    QDir().mkpath(QFileInfo(copy).path());
    if (!QFile::copy(made->database(QStringLiteral("01")), copy))
        throw std::runtime_error("cannot copy the known day's company to " + copy.toStdString());
    return copy;
}

} // namespace quelmaro::test
