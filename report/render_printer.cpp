#include "report/render_printer.h"

#include "report/page_painter.h"
#include "report/report_errors.h"
#include "report/report_printer.h"

#include <QPainter>
#include <QPrinter>

namespace quelmaro {

TRenderPrinter::TRenderPrinter(QObject* parent) : TRenderer(parent) {}

TRenderPrinter::~TRenderPrinter() = default;

ReportPrinter& TRenderPrinter::printer() {
    if (printer_)
        return *printer_;
    if (!defaultPrinter_)
        defaultPrinter_ = std::make_unique<ReportPrinter>();
    return *defaultPrinter_;
}

void TRenderPrinter::RenderStream(const PageStore& store) {
    ReportPrinter& reportPrinter = printer();
    QPrinter& device = reportPrinter.device();
    // Output sent to a file needs no printer on the system.
    if (device.outputFileName().isEmpty()) {
        if (!reportPrinter.hasPrinters())
            throw ReportError(QStringLiteral("No hay impresoras instaladas!"));
        reportPrinter.open();
    }
    if (store.pages.empty())
        return;
    device.setDocName(store.title);
    reportPrinter.setPaper(store.pages.front().paperWidth, store.pages.front().paperHeight);
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("No se pudo imprimir en %1.").arg(reportPrinter.name()));
    const QSizeF dpi = reportPrinter.resolution();
    for (size_t i = 0; i < store.pages.size(); ++i) {
        const Page& page = store.pages[i];
        if (i > 0) {
            reportPrinter.setPaper(page.paperWidth, page.paperHeight);
            device.newPage();
        }
        paintPage(painter, page, dpi.width(), dpi.height());
    }
    painter.end();
}

} // namespace quelmaro
