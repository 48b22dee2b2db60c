#include "tests/closing/support/summary_fixture.h"

#include "closing/rows/cimpfactura.h"

#include <QStringList>

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

void SummaryFixture::clear() {
    connection_.execute(QStringLiteral("delete from filas_resumen"));
}

} // namespace quelmaro::test
