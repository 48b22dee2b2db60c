#include "report/page_painter.h"

#include "report/report_fonts.h"

#include <QFontMetricsF>
#include <QPainter>

namespace quelmaro {

namespace {

Qt::PenStyle qtPenStyle(TPenStyle style) {
    switch (style) {
    case TPenStyle::psSolid:
        return Qt::SolidLine;
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        break;
    }
    return Qt::NoPen;
}

class PagePainter {
public:
    PagePainter(QPainter& painter, double dpiX, double dpiY) : painter_(painter), dpiX_(dpiX), dpiY_(dpiY) {
        painter_.setBrush(Qt::white);
        apply(PenCommand{});
        apply(FontCommand{QStringLiteral("Arial"), 10});
    }

    void apply(const TextCommand& c) {
        QPointF at = point(c.x, c.y);
        if (c.align == TextAlign::Right)
            at.rx() -= QFontMetricsF(painter_.font(), painter_.device()).horizontalAdvance(c.text);
        painter_.drawText(at, c.text);
    }
    void apply(const LineCommand& c) { painter_.drawLine(point(c.x1, c.y1), point(c.x2, c.y2)); }
    void apply(const RectangleCommand& c) {
        painter_.drawRect(QRectF(point(c.x1, c.y1), point(c.x2, c.y2)).normalized());
    }
    void apply(const BitmapCommand& c) {
        painter_.drawImage(QRectF(point(c.x, c.y), QSizeF(c.width * dpiX_, c.height * dpiY_)), c.image);
    }
    void apply(const FontCommand& c) { painter_.setFont(reportFont(c.name, c.size)); }
    void apply(const PenCommand& c) {
        // A line thinner than a device pixel would fade to grey on a screen; width 0 draws one crisp pixel.
        const double width = c.width * dpiX_;
        QPen pen(QBrush(Qt::black), width < 1 ? 0 : width, qtPenStyle(c.style), Qt::SquareCap, Qt::MiterJoin);
        painter_.setPen(pen);
    }

private:
    QPointF point(float x, float y) const { return {x * dpiX_, y * dpiY_}; }

    QPainter& painter_;
    double dpiX_, dpiY_;
};

} // namespace

void paintPage(QPainter& painter, const Page& page, double dotsPerInchX, double dotsPerInchY) {
    painter.save();
    PagePainter pagePainter(painter, dotsPerInchX, dotsPerInchY);
    for (const DrawCommand& command : page.commands)
        std::visit([&pagePainter](const auto& c) { pagePainter.apply(c); }, command);
    painter.restore();
}

} // namespace quelmaro
