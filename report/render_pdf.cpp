#include "report/render_pdf.h"

#include "report/atomic_file.h"
#include "report/page_painter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace quelmaro {

namespace {

constexpr int kPdfDpi = 1200;

QPageLayout pageLayout(const Page& page) {
    const QSizeF inches(page.paperWidth, page.paperHeight);
    const bool wide = inches.width() > inches.height();
    return QPageLayout(QPageSize(wide ? inches.transposed() : inches, QPageSize::Inch),
                       wide ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

TRenderPdf::TRenderPdf(QObject* parent) : TFileRenderer(parent) {
    setFileExtension(QStringLiteral("*.pdf"));
    setDisplayName(QStringLiteral("Portable Document Format (PDF)"));
}

void TRenderPdf::RenderStream(const PageStore& store) {
    AtomicFile file(OutputFile);
    {
        QPdfWriter writer(&file.device());
        writer.setResolution(kPdfDpi);
        writer.setTitle(store.title);
        writer.setCreator(QStringLiteral("quelmaro"));
        if (!store.pages.empty())
            writer.setPageLayout(pageLayout(store.pages.front()));
        QPainter painter(&writer);
        for (size_t i = 0; i < store.pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(pageLayout(store.pages[i]));
                writer.newPage();
            }
            paintPage(painter, store.pages[i], kPdfDpi, kPdfDpi);
        }
    }
    file.commit();
}

} // namespace quelmaro
