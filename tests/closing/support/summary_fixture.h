#pragma once

#include "data/fb/connection.h"
#include "tests/schema/companies.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

#include <vector>

namespace quelmaro::test {

// One row of the daily summary as a test lays it down: the point of sale, its name and branch, and the
// money columns it gives (column name, decimal text); every other column is null.
struct SummaryRow {
    int ptovta = 0;
    QString ptovtanom;
    QList<QPair<const char*, const char*>> money;
    int sucursal = 1;
};

// Three points of sale on 2024/03/15 whose report the rows tests work out by hand: points 1 and 3 in branch
// 1, point 2 in branch 2; the third has no payment forms at all.
inline const QDate kKnownDay(2024, 3, 15);
const std::vector<SummaryRow>& knownDayRows();

// Makes a company database's resumen_dia return the rows a test lays down: those of the date asked, with
// their point of sale in the range asked and in the branch asked (0 for all), in the order they were added.
class SummaryFixture {
public:
    explicit SummaryFixture(fb::Connection& connection);

    void add(const QDate& fecha, const SummaryRow& row);
    void addKnownDay();
    void clear();

private:
    fb::Connection& connection_;
    int added_ = 0;
};

// Copies into `root`, as its company `company`, a company database made once per test process whose daily
// summary returns the known day; returns the copy's path.
QString copyKnownDayCompany(const CompanyRoot& root, const QString& company = QStringLiteral("01"));

} // namespace quelmaro::test
