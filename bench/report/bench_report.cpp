// Prints how long the report layer takes for one page of 2,000 drawing commands, next to drawing the same
// commands straight onto a QImage and a QPdfWriter with QPainter in the same run. Target: every ratio at
// most 1.3.
#include "report/page_store.h"
#include "report/render_pdf.h"
#include "report/render_preview.h"
#include "report/report_fonts.h"
#include "report/snapshot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quelmaro;

namespace {

constexpr int kCommands = 2000;
constexpr int kRuns = 15;

// One command of a closing-report-like page: columns of labels and right-aligned amounts with rules and
// boxes.
DrawCommand benchmarkCommand(int i) {
    const float row = 0.5f + float(i % 60) * 0.165f;
    const float column = 0.3f + float((i / 60) % 8) * 1.0f;
    switch (i % 5) {
    case 0:
        return FontCommand{i % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New"), float(8 + i % 3)};
    case 1:
        return TextCommand{column, row, TextAlign::Left, QStringLiteral("VENTA %1").arg(i)};
    case 2:
        return TextCommand{column + 0.95f, row, TextAlign::Right, QStringLiteral("%1.50").arg(i * 37)};
    case 3:
        return LineCommand{column, row + 0.03f, column + 0.95f, row + 0.03f};
    }
    return RectangleCommand{column, row - 0.12f, column + 0.2f, row - 0.02f};
}

Page benchmarkPage() {
    Page page;
    page.commands.reserve(kCommands);
    page.commands.emplace_back(PenCommand{TPenStyle::psSolid, 2.0f / 600});
    for (int i = 1; i < kCommands; ++i)
        page.commands.emplace_back(benchmarkCommand(i));
    return page;
}

// The same commands drawn by hand, as a program would without a page store.
void drawDirect(QPainter& painter, const Page& page, double dpi) {
    painter.setBrush(Qt::white);
    for (const DrawCommand& command : page.commands) {
        if (const auto* f = std::get_if<FontCommand>(&command)) {
            painter.setFont(reportFont(f->name, f->size));
        } else if (const auto* p = std::get_if<PenCommand>(&command)) {
            painter.setPen(QPen(Qt::black, p->width * dpi));
        } else if (const auto* t = std::get_if<TextCommand>(&command)) {
            double x = t->x * dpi;
            if (t->align == TextAlign::Right)
                x -= QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(t->text);
            painter.drawText(QPointF(x, t->y * dpi), t->text);
        } else if (const auto* l = std::get_if<LineCommand>(&command)) {
            painter.drawLine(QPointF(l->x1 * dpi, l->y1 * dpi), QPointF(l->x2 * dpi, l->y2 * dpi));
        } else if (const auto* r = std::get_if<RectangleCommand>(&command)) {
            painter.drawRect(QRectF(QPointF(r->x1 * dpi, r->y1 * dpi), QPointF(r->x2 * dpi, r->y2 * dpi)));
        }
    }
}

// Median of kRuns timings in milliseconds.
double milliseconds(const std::function<void()>& work) {
    work(); // warm the font and glyph caches
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

void report(const char* what, double ours, double direct) {
    std::printf("%-44s %8.2f ms   direct %8.2f ms   ratio %.2f %s\n", what, ours, direct, ours / direct,
                ours / direct <= 1.3 ? "" : "(over 1.3)");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const PageStore store{QStringLiteral("RESUMEN DIARIO."), {benchmarkPage()}};
    const double screenDpi = std::round(QGuiApplication::primaryScreen()->logicalDotsPerInch());

    QByteArray snapshot;
    const double write = milliseconds([&] { snapshot = encodeSnapshot(store); });
    const double read = milliseconds([&] { decodeSnapshot(snapshot); });
    std::printf("page of %d commands, snapshot of %lld bytes: write %.2f ms, read %.2f ms\n", kCommands,
                static_cast<long long>(snapshot.size()), write, read);

    const double directImage = milliseconds([&] {
        QImage image(int(8.5 * screenDpi), int(11 * screenDpi), QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(int(std::lround(screenDpi / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(screenDpi / 0.0254)));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawDirect(painter, store.pages[0], screenDpi);
    });
    QScrollArea scrollBox;
    TRenderPreview preview;
    preview.setScrollBox(&scrollBox);
    const double previewImage = milliseconds([&] { preview.RenderStream(store); });
    const double snapshotToScreen = milliseconds([&] {
        const PageStore read = decodeSnapshot(encodeSnapshot(store));
        preview.RenderStream(read);
    });
    report("preview image at 100 %", previewImage, directImage);
    report("snapshot written, read and previewed", snapshotToScreen, directImage);

    const QString directFile = dir.filePath(QStringLiteral("direct.pdf"));
    const double directPdf = milliseconds([&] {
        QPdfWriter writer(directFile);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        drawDirect(painter, store.pages[0], 1200);
    });
    TRenderPdf pdf;
    pdf.OutputFile = dir.filePath(QStringLiteral("report.pdf"));
    const double ourPdf = milliseconds([&] { pdf.RenderStream(store); });
    report("PDF file", ourPdf, directPdf);
    return 0;
}
