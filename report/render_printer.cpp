#include "report/render_printer.h"

#include "report/job_printer.h"
#include "report/page_painter.h"
#include "report/report_errors.h"

#include <QPainter>
#include <QPrinter>

namespace quelmaro {

TRenderPrinter::TRenderPrinter(QObject* parent) : TRenderer(parent) {}

TRenderPrinter::~TRenderPrinter() = default;

JobPrinter& TRenderPrinter::printer() {
    if (printer_)
        return *printer_;
    if (!defaultPrinter_)
        defaultPrinter_ = std::make_unique<JobPrinter>();
    return *defaultPrinter_;
}

void TRenderPrinter::RenderStream(const PageStore& store) {
    JobPrinter& jobPrinter = printer();
    QPrinter& device = jobPrinter.device();
    // Output sent to a file needs no printer on the system.
    if (device.outputFileName().isEmpty()) {
        if (!jobPrinter.hasPrinters())
            throw ReportError(QStringLiteral("No hay impresoras instaladas!"));
        jobPrinter.open();
    }
    if (store.pages.empty())
        return;
    device.setDocName(store.title);
    jobPrinter.setPaper(store.pages.front().paperWidth, store.pages.front().paperHeight);
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("No se pudo imprimir en %1.").arg(jobPrinter.name()));
    const QSizeF dpi = jobPrinter.resolution();
    for (size_t i = 0; i < store.pages.size(); ++i) {
        const Page& page = store.pages[i];
        if (i > 0) {
            jobPrinter.setPaper(page.paperWidth, page.paperHeight);
            device.newPage();
        }
        paintPage(painter, page, dpi.width(), dpi.height());
    }
    painter.end();
}

} // namespace quelmaro
