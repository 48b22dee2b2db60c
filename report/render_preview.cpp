#include "report/render_preview.h"

#include "report/page_painter.h"
#include "report/snapshot.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace quelmaro {

// The page image inside the scroll box; its size sets the scroll ranges.
class PreviewPageWidget : public QWidget {
public:
    using QWidget::QWidget;

    void setImage(QImage image) {
        image_ = std::move(image);
        setFixedSize(image_.size());
        update();
    }
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

private:
    QImage image_;
};

namespace {

constexpr double kMinZoom = 10.0;
constexpr double kMaxZoom = 200.0;
// A page image larger than this is drawn at a lower resolution rather than exhaust memory.
constexpr double kMaxImagePixels = 64.0 * 1024 * 1024;

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace

TRenderPreview::TRenderPreview(QObject* parent) : TRenderer(parent) {}

TRenderPreview::~TRenderPreview() = default;

void TRenderPreview::setScrollBox(QScrollArea* scrollBox) {
    scrollBox_ = scrollBox;
    if (!scrollBox_)
        return;
    auto* widget = new PreviewPageWidget;
    scrollBox_->setWidget(widget);
    pageWidget_ = widget;
    drawPage();
}

void TRenderPreview::applySettings(const PreviewSettings& settings) {
    zoomInc_ = settings.ZoomInc;
    shadowDepth_ = qMax(0, settings.ShadowDepth);
    marginPercent_ = qMax(0.0, settings.MarginPercent);
    monochrome_ = settings.Monochrome;
    pageInc_ = qMax(1, settings.PageInc);
    setZoomFactor(settings.ZoomFactor);
}

void TRenderPreview::setZoomFactor(double zoom) {
    zoomFactor_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    drawPage();
}

int TRenderPreview::PageCount() const {
    return store_ ? store_->pageCount() : 0;
}

void TRenderPreview::ShowPage(int page) {
    if (PageCount() == 0)
        return;
    currentPage_ = std::clamp(page, 1, PageCount());
    drawPage();
    emit OnPageChange();
}

void TRenderPreview::NextPage() {
    const int next = currentPage_ + pageInc_;
    ShowPage(next <= PageCount() ? next : (PageCount() >= 2 ? 1 : currentPage_));
}

void TRenderPreview::PreviousPage() {
    const int previous = currentPage_ - pageInc_;
    ShowPage(previous >= 1 ? previous : PageCount());
}

void TRenderPreview::RenderStream(const PageStore& store) {
    store_ = &store;
    if (ownStore_ && &store != &*ownStore_)
        ownStore_.reset();
    ShowPage(1);
}

void TRenderPreview::RenderFile(const QString& fileName) {
    // Read before anything changes: a bad file leaves the page shown so far in view.
    PageStore loaded = loadSnapshot(fileName);
    ownStore_ = std::move(loaded);
    store_ = &*ownStore_;
    ShowPage(1);
}

QImage TRenderPreview::pageImage() const {
    return pageWidget_ ? pageWidget_->image() : QImage();
}

void TRenderPreview::drawPage() {
    if (!pageWidget_ || !store_ || currentPage_ < 1 || currentPage_ > PageCount())
        return;
    const Page& page = store_->pages[size_t(currentPage_ - 1)];
    double dpi = std::round(screenDpi() * zoomFactor_ / 100.0);
    const double margin = page.paperWidth * marginPercent_ / 100.0; // inches
    const double widthInches = page.paperWidth + 2 * margin;
    const double heightInches = page.paperHeight + 2 * margin;
    dpi = std::max(1.0, std::min(dpi, std::floor(std::sqrt(kMaxImagePixels / (widthInches * heightInches)))));
    const QSize size(int(std::ceil(widthInches * dpi)) + shadowDepth_,
                     int(std::ceil(heightInches * dpi)) + shadowDepth_);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(marginPercent_ > 0 || shadowDepth_ > 0 ? Qt::lightGray : Qt::white);
    {
        QPainter painter(&image);
        const QRectF sheet(margin * dpi, margin * dpi, page.paperWidth * dpi, page.paperHeight * dpi);
        if (shadowDepth_ > 0)
            painter.fillRect(sheet.translated(shadowDepth_, shadowDepth_), Qt::darkGray);
        painter.fillRect(sheet, Qt::white);
        // Only the sheet shows what is drawn, as on paper.
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.setRenderHint(QPainter::Antialiasing);
        paintPage(painter, page, dpi, dpi);
    }
    pageWidget_->setImage(monochrome_ ? image.convertToFormat(QImage::Format_Grayscale8) : std::move(image));
}

} // namespace quelmaro
