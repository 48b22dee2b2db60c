#pragma once

#include "platform/messages.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolButton;

namespace quelmaro {

class NumberEdit;
class TRenderPreview;
class TRenderPrinter;
class TReportJob;
struct PageStore;

// Shows a generated report one page at a time, with page navigation, zoom, printing, and opening of a
// snapshot file saved earlier. The report job lends it its page store; a snapshot file it opens is its own.
class TFormMyPreview : public QDialog {
    Q_OBJECT
public:
    explicit TFormMyPreview(QWidget* parent = nullptr);
    ~TFormMyPreview() override;

    // The job that created the window; set before StartPreview, not owned.
    TReportJob* ReportSystem = nullptr;
    // The snapshot file to show; empty to show PreviewStream.
    QString PreviewFile;
    // The job's page store, lent for as long as the window shows it.
    const PageStore* PreviewStream = nullptr;
    // Draws the pages into the page view; owned by the window.
    TRenderPreview* RenderPreview;
    // Prints the pages shown on the job's printer; owned by the window.
    TRenderPrinter* RenderPrinter;

    // Shows page 1 of PreviewFile, or else of PreviewStream. Called before the window is shown.
    void StartPreview();

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FormKeyDown(const QKeyEvent& event);
    bool FormKeyPress(const QKeyEvent& event);
    // Open a snapshot file.
    void SpeedButton6Click();
    // Print the report.
    void SpeedButton7Click();
    // Zoom in and out.
    void SpeedButton8Click();
    void SpeedButton9Click();
    void ZoomNumberEditChange();
    void lblPageNoExit();
    void NDRPreviewPageChange();
    void OpenSnapshot(const QString& fileName);
    void showPageCount();

    QSize openingSize(const QSize& screen) const;
    QWidget* createToolbar();
    QToolButton* addToolButton(QWidget* toolbar, const char* name, int left, const QIcon& icon,
                               const QString& hint);

    QToolButton* SpeedButton6;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QLineEdit* lblPageNo;
    QLabel* Label1;
    QToolButton* SpeedButton8;
    QToolButton* SpeedButton9;
    QLabel* Label3;
    NumberEdit* ZoomNumberEdit;
    QPushButton* BtnClose;
    QScrollArea* ScrollBox1;
    QStatusBar* sbarMain;

    platform::OpenFileRequest OpenDialog1;
};

} // namespace quelmaro
