#pragma once

#include "report/job_settings.h"
#include "report/renderer.h"

#include <QImage>
#include <QPointer>
#include <QScrollArea>

#include <optional>

namespace quelmaro {

class PreviewPageWidget;

// Shows one page at a time inside a scroll box, at ZoomFactor percent of its natural screen size.
class TRenderPreview : public TRenderer {
    Q_OBJECT
public:
    explicit TRenderPreview(QObject* parent = nullptr);
    ~TRenderPreview() override;

    // Where pages are drawn; the renderer puts its page widget into it.
    void setScrollBox(QScrollArea* scrollBox);
    QScrollArea* ScrollBox() const { return scrollBox_; }

    // Takes the drawing settings of a report job: zoom, zoom step, shadow, margin, colour, page step.
    void applySettings(const PreviewSettings& settings);
    double ZoomFactor() const { return zoomFactor_; }
    // Kept between 10 and 200; the page is drawn again.
    void setZoomFactor(double zoom);
    double ZoomInc() const { return zoomInc_; }
    void setZoomInc(double step) { zoomInc_ = step; }

    int CurrentPage() const { return currentPage_; }
    int PageCount() const;
    // Brought within 1 and PageCount.
    void ShowPage(int page);
    // After the last page comes page 1 when there are at least two pages.
    void NextPage();
    // Before page 1 comes the last page.
    void PreviousPage();

    // Shows page 1 of a store that stays its owner's; the store must outlive its use here.
    void RenderStream(const PageStore& store) override;
    // Reads the snapshot file, keeps its pages and shows page 1.
    void RenderFile(const QString& fileName) override;
    // The store being shown; null before any.
    const PageStore* pageStore() const { return store_; }
    // The page as it was last drawn into the scroll box.
    QImage pageImage() const;

signals:
    // After each change of the page shown.
    void OnPageChange();

private:
    void drawPage();

    QPointer<QScrollArea> scrollBox_;
    QPointer<PreviewPageWidget> pageWidget_;
    const PageStore* store_ = nullptr;
    std::optional<PageStore> ownStore_;
    double zoomFactor_ = 100.0;
    double zoomInc_ = 10.0;
    int shadowDepth_ = 0;
    double marginPercent_ = 0.0;
    bool monochrome_ = false;
    int pageInc_ = 1;
    int currentPage_ = 0;
};

} // namespace quelmaro
