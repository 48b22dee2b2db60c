#include "bench/closing/render_timing.h"

#include "report/job_printer.h"
#include "report/page_store_writer.h"
#include "report/render_pdf.h"

#include <QElapsedTimer>

namespace quelmaro {

namespace {

double millisecondsPer(const QElapsedTimer& timer, int repetitions) {
    return double(timer.nsecsElapsed()) / 1e6 / repetitions;
}

} // namespace

RenderTiming timeRendering(FormatRecords& format, RecordSet& CImpfactura, const ReportHeaderInputs& inputs,
                           int repetitions, const QString& pdfFile) {
    JobPrinter printer;
    PageStore store;
    ClosingReportRenderer renderer(format, CImpfactura);
    renderer.grid = FormatGrid::forPaper(8.5, 11.0);
    RenderTiming timing;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repetitions; ++i) {
        TPageStoreWriter canvas(store, printer, PrinterSettings{});
        canvas.open();
        renderer.indice_punto = 0;
        renderer.imprime_encabezado(canvas, false, inputs);
        canvas.close();
    }
    timing.pageStore = millisecondsPer(timer, repetitions);

    TRenderPdf pdf;
    pdf.OutputFile = pdfFile;
    timer.restart();
    for (int i = 0; i < repetitions; ++i)
        pdf.RenderStream(store);
    timing.pdf = millisecondsPer(timer, repetitions);
    return timing;
}

} // namespace quelmaro
