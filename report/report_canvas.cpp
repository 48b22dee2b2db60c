#include "report/report_canvas.h"

#include "report/job_printer.h"
#include "report/report_fonts.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace quelmaro {

namespace {

// Texts are measured at a fine resolution so the text position after a text is exact on any printer.
constexpr double kMeasureDpi = 1200.0;
constexpr double kNoPrinterDpi = 600.0;

// A value the page store can hold: within its bounds, and 0 for a value that is no number at all.
float storable(double value) {
    return std::isnan(value) ? 0.0f
                             : float(std::clamp(value, -double(kMaxCoordinate), double(kMaxCoordinate)));
}

const QPaintDevice& measureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(int(kMeasureDpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(int(kMeasureDpi / 0.0254 + 0.5));
        return image;
    }();
    return device;
}

} // namespace

TReportCanvas::TReportCanvas(JobPrinter& printer, const PrinterSettings& settings)
    : Title(settings.Title), printer_(printer), hasPrinter_(printer.hasPrinters()),
      resolution_(kNoPrinterDpi, kNoPrinterDpi), scaleX_(settings.ScaleX / 100.0),
      scaleY_(settings.ScaleY / 100.0),
      unitsPerInch_(settings.Units == TReportUnits::unUser ? settings.UnitsFactor
                                                           : unitsPerInch(settings.Units)) {
    if (hasPrinter_) {
        printer_.setOrientation(settings.Orientation);
        useSelectedPrinter();
    } else if (settings.Orientation == TOrientation::poLandScape) {
        storedPaper_.transpose();
    }
}

TReportCanvas::~TReportCanvas() = default;

void TReportCanvas::useSelectedPrinter() {
    printer_.open();
    resolution_ = printer_.resolution();
}

double TReportCanvas::PaperWidth() const {
    return (hasPrinter_ ? printer_.paperSize().width() : storedPaper_.width()) * unitsPerInch_;
}

double TReportCanvas::PaperHeight() const {
    return (hasPrinter_ ? printer_.paperSize().height() : storedPaper_.height()) * unitsPerInch_;
}

void TReportCanvas::SetPaper(double width, double height) {
    const QSizeF inches(width / unitsPerInch_, height / unitsPerInch_);
    // A side of zero or less is no paper at all, and none is a hundred inches long.
    if (!(inches.width() > 0 && inches.height() > 0 && inches.width() <= kMaxPaperSide &&
          inches.height() <= kMaxPaperSide))
        return;
    if (hasPrinter_)
        printer_.setPaper(inches.width(), inches.height());
    else
        storedPaper_ = inches;
}

void TReportCanvas::SelectPrinter(int index) {
    if (!hasPrinter_ || index < -1)
        return;
    printer_.SelectPrinter(index);
    useSelectedPrinter();
}

void TReportCanvas::SelectFont(const QString& name, double size) {
    if (!(size > 0))
        return;
    fontName_ = name;
    fontSize_ = std::min(size, double(kMaxFontSize));
}

void TReportCanvas::PrintAt(double x, double y, const QString& text) {
    yPos_ = y;
    storeText(storedX(x), TextAlign::Left, text);
    xPos_ = x + textWidth(text);
}

void TReportCanvas::MoveToPosition(double x, double y) {
    xPos_ = x;
    yPos_ = y;
}

void TReportCanvas::PrintRightAt(const QString& text, double x) {
    storeText(storedX(x), TextAlign::Right, text);
    xPos_ = x;
}

void TReportCanvas::MovePen(double x, double y) {
    penX_ = x;
    penY_ = y;
}

void TReportCanvas::LineTo(double x, double y) {
    storePenIfChanged();
    store(LineCommand{storedX(penX_), storedY(penY_), storedX(x), storedY(y)});
    MovePen(x, y);
}

void TReportCanvas::Rectangle(double x1, double y1, double x2, double y2) {
    storePenIfChanged();
    store(RectangleCommand{storedX(x1), storedY(y1), storedX(x2), storedY(y2)});
}

void TReportCanvas::DrawBitmap(double x, double y, double scaleX, double scaleY, const QImage& bitmap) {
    if (bitmap.isNull())
        return;
    const float width = storable(bitmap.width() * scaleX / XDPI() * scaleX_);
    const float height = storable(bitmap.height() * scaleY / YDPI() * scaleY_);
    store(BitmapCommand{storedX(x), storedY(y), width, height, bitmap});
}

void TReportCanvas::NewPage() {
    finishPage();
    startPage();
}

void TReportCanvas::startPage() {
    ++currentPage_;
    pageFont_ = FontCommand{QStringLiteral("Arial"), 10};
    pagePen_ = PenCommand{};
    beginPage();
}

void TReportCanvas::finishPage() {
    // A printer's paper longer than a page store holds is cut to it.
    endPage(std::min(float(PaperWidth() / unitsPerInch_), kMaxPaperSide),
            std::min(float(PaperHeight() / unitsPerInch_), kMaxPaperSide));
}

float TReportCanvas::storedX(double x) const {
    return storable(x / unitsPerInch_ * scaleX_);
}

float TReportCanvas::storedY(double y) const {
    return storable(y / unitsPerInch_ * scaleY_);
}

void TReportCanvas::storeText(float x, TextAlign align, const QString& text) {
    storeFontIfChanged();
    store(TextCommand{x, storedY(yPos_), align, text});
}

void TReportCanvas::storeFontIfChanged() {
    const FontCommand font{fontName_, float(fontSize_)};
    if (font.name != pageFont_.name || font.size != pageFont_.size) {
        pageFont_ = font;
        store(font);
    }
}

void TReportCanvas::storePenIfChanged() {
    const PenCommand pen{Pen.Style, storable(qMax(0, Pen.Width) / XDPI())};
    if (pen.style != pagePen_.style || pen.width != pagePen_.width) {
        pagePen_ = pen;
        store(pen);
    }
}

double TReportCanvas::textWidth(const QString& text) const {
    const double inches =
        QFontMetricsF(reportFont(fontName_, fontSize_), &measureDevice()).horizontalAdvance(text) /
        kMeasureDpi;
    return inches * unitsPerInch_ / scaleX_;
}

} // namespace quelmaro
