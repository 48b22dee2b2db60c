#pragma once

#include "data/fb/connection.h"
#include "tests/report/report_test_support.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <vector>

namespace quelmaro::test {

// What a closing report was printed for, so that its page can be worked out again from resumen_dia.
struct ClosingReportRequest {
    QDate fecha;
    int ptoini = 0;
    int ptofin = 99999;
    int sucursal = 0;
    QString usuario;
    QTime hora; // when the page was drawn; any time of day when null
};

// A datum the page must show: its words from a left edge, or a single word up to a right edge, on a
// baseline; in inches from the sheet's corner. A "?" in the text stands for any digit.
struct ExpectedDatum {
    QString what;
    QString text;
    bool rightAligned = false;
    double x = 0;
    double y = 0;
};

// Every datum that the format of the closing report (the first format of type 131) prints for `request` on
// a sheet of this size: the figures worked out here from the rows resumen_dia returns, in the format's
// places, each point of sale FORM_ENTRELINEA further right.
std::vector<ExpectedDatum> expectedClosingData(fb::Connection& database, const ClosingReportRequest& request,
                                               double paperWidth, double paperHeight);

// Expects every datum of the closing report on the page, read back from a PDF; the sheet's size is the
// page's. Returns how many data it looked for.
std::size_t expectClosingPage(const PdfPage& page, fb::Connection& database,
                              const ClosingReportRequest& request);

} // namespace quelmaro::test
