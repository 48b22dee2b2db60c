#pragma once

#include "closing/rows/point_range.h"
#include "data/recordset/provider.h"
#include "data/recordset/recordset.h"
#include "data/types/fixed.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <span>

namespace quelmaro {

class Query;

// What the closing report asks resumen_dia for: the report day, the points of sale as the operator typed
// them, and the branch (its SUCU_ID as text, "0" for all).
struct ClosingRequest {
    QDate fecha;
    PointRangeText puntos;
    QString agencia;
};

// The window's running totals. Each row's calculation adds its month's taxes and sales to them, so the
// fields copied from them hold the sum over that row and every row before it.
struct RunningTotals {
    Fixed AcumIva16;
    Fixed AcumIva10;
    Fixed AcumIvaTotal;
    Fixed AcumExento;
    Fixed AcumGra16;
    Fixed AcumGra10;
};

// The rows of the daily closing report, one per point of sale, as resumen_dia returns them: the columns of
// the procedure in its order, the 26 fields calculated for each row and the 16 totals over all rows. Fields
// carry the names of the columns (FORMAP1) and of the calculated values (Vtanoefe).
class ClosingReportRows : public QObject {
    Q_OBJECT
public:
    // The record set reads through `QResumen` (the data module's), which takes the procedure's statement
    // with its four parameters bound.
    ClosingReportRows(Query& QResumen, QObject* owner);

    Provider PImpFactura;
    RecordSet CImpfactura;
    RunningTotals totals;

    // The procedure's columns in the record set's order.
    static std::span<const char* const> columns();
    // The calculated fields, in the order they are declared.
    static std::span<const char* const> calculatedFields();
    // The sixteen totals: name and expression.
    struct Aggregate {
        const char* name;
        const char* expression;
    };
    static std::span<const Aggregate> aggregates();

    // Reopens CImpfactura on the rows of `request` and calculates every row once, in fetch order, after all
    // rows are in, so the projections of the month's totals see the totals over all rows. The running totals
    // start from zero. A point of sale or branch that is not a whole number is a ConversionError: the rows
    // stay closed and nothing runs.
    void open(const ClosingRequest& request);

    // The row calculation, on the current row of CImpfactura while it is being calculated.
    void CImpfacturaCalcFields(RecordSet& rows);

private:
    // The non-cash sales of the row: the only calculated values that the totals read back.
    void calculateNonCashSales(RecordSet& rows);

    int dia_ = 1; // the report day's day of the month: projections scale the month to date to 30 days
};

} // namespace quelmaro
