// Speed of the closing report for 1, 20 and 200 points of sale of one embedded company, made by the schema's
// demo command (200 points in 10 branches, 5 days of business ending on the report day, in this process):
//   query: resumen_dia read whole through the client layer, nothing else;
//   rows:  CImpfactura opened and every row calculated, as the closing window's creation does;
//   page:  the report drawn into a page store, and that page store turned into a PDF (render_timing.cpp).
// Prints the best of several runs of each, in milliseconds. Targets: rows at most 1.2 x the query; the page
// under 50 ms for 20 points of sale.
#include "bench/closing/render_timing.h"
#include "closing/format/format_records.h"
#include "closing/rows/cimpfactura.h"
#include "data/dm/dm.h"
#include "data/dm/formats.h"
#include "data/fb/statement.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>

using namespace quelmaro;

namespace {

constexpr int kRuns = 7;
constexpr int kPages = 20;
const QDate kReportDay{2024, 3, 15};

void makeCompany(const QString& root) {
    QProcess demo;
    demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    demo.start(QStringLiteral("bash"),
               {QStringLiteral(QUELMARO_SCHEMA_DIR "/make-demo.sh"), root, QStringLiteral("--branches"),
                QStringLiteral("10"), QStringLiteral("--points"), QStringLiteral("200"),
                QStringLiteral("--days"), QStringLiteral("5"), QStringLiteral("--end"),
                kReportDay.toString(QStringLiteral("yyyy/MM/dd"))});
    if (!demo.waitForFinished(-1) || demo.exitCode() != 0)
        throw std::runtime_error("make-demo.sh failed");
}

// The best of the runs, in milliseconds.
double best(const std::function<void()>& run) {
    double fastest = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        fastest = std::min(fastest, double(timer.nsecsElapsed()) / 1e6);
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    formats::setSettings(formats::programSettings());
    QTemporaryDir root;
    std::printf("Making the demo company with 200 points of sale...\n");
    std::fflush(stdout);
    makeCompany(root.path());

    Tfdm dataModule;
    dataModule.Norvane.setParameter(QStringLiteral("Database"),
                                    QDir(root.path()).filePath("datos/01/norvane.fdb"));
    dataModule.Norvane.open();
    ClosingReportRows rows(dataModule.QResumen, nullptr);
    FormatRecords format(dataModule.Tformatos, nullptr);
    format.select(131);
    const ReportHeaderInputs inputs{kReportDay, QStringLiteral("SYSDBA")};

    std::printf("\n%8s %10s %10s %8s %12s %10s\n", "points", "query ms", "rows ms", "rows/q", "page ms",
                "PDF ms");
    for (const int points : {1, 20, 200}) {
        const double query = best([&] {
            auto cursor = dataModule.Norvane.openCursor(
                QStringLiteral("select * from resumen_dia(?, 1, ?, 0)"), {kReportDay, points});
            fb::Row row;
            while (cursor->fetch(row)) {
            }
        });
        const ClosingRequest request{
            kReportDay, {QStringLiteral("1"), QString::number(points)}, QStringLiteral("0")};
        const double opened = best([&] { rows.open(request); });
        if (rows.CImpfactura.recordCount() != points)
            throw std::runtime_error("the demo has fewer points of sale than asked");
        const RenderTiming page =
            timeRendering(format, rows.CImpfactura, inputs, kPages, QDir(root.path()).filePath("cierre.pdf"));
        std::printf("%8d %10.2f %10.2f %8.2f %12.2f %10.2f\n", points, query, opened, opened / query,
                    page.pageStore, page.pdf);
    }
    return 0;
}
