#pragma once

#include "data/fb/connection.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace quelmaro::test {

// One row of the daily summary as a test lays it down: the point of sale, its name and branch, and the
// money columns it gives (column name, decimal text); every other column is null.
struct SummaryRow {
    int ptovta = 0;
    QString ptovtanom;
    QList<QPair<const char*, const char*>> money;
    int sucursal = 1;
};

// Makes a company database's resumen_dia return the rows a test lays down: those of the date asked, with
// their point of sale in the range asked and in the branch asked (0 for all), in the order they were added.
class SummaryFixture {
public:
    explicit SummaryFixture(fb::Connection& connection);

    void add(const QDate& fecha, const SummaryRow& row);
    void clear();

private:
    fb::Connection& connection_;
    int added_ = 0;
};

} // namespace quelmaro::test
