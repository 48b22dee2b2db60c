#pragma once

#include "report/job_settings.h"
#include "report/page_store.h"

#include <QImage>
#include <QSizeF>
#include <QString>

namespace quelmaro {

class JobPrinter;

// The pen lines and rectangles are drawn with; Width in pixels of the output device.
struct TReportPen {
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
};

// What a report draws on. Coordinates are report units (inches × UnitsFactor) from the top-left corner
// of the paper sheet, y downward; texts sit on their baseline. Without an installed printer it works at
// 600 dots per inch on the stored paper (8.5 × 11 inches unless set).
class TReportCanvas {
public:
    TReportCanvas(JobPrinter& printer, const PrinterSettings& settings);
    virtual ~TReportCanvas();
    TReportCanvas(const TReportCanvas&) = delete;
    TReportCanvas& operator=(const TReportCanvas&) = delete;

    // The pen in force when a line or rectangle is drawn is the one recorded with it.
    TReportPen Pen;
    // The job title: kept in the page store, and the document name of a printed job.
    QString Title;

    // The full paper sheet, unprintable margins included.
    double PaperWidth() const;
    double PaperHeight() const;
    void SetPaper(double width, double height);
    // By position in the system printer list; -1 the default printer; below -1 ignored.
    void SelectPrinter(int index);

    // The style becomes regular. A size of 0 or less changes nothing, not even the name.
    void SelectFont(const QString& name, double size);
    // Left edge at x, baseline at y; the text position then stands at the end of the text.
    void PrintAt(double x, double y, const QString& text);
    void MoveToPosition(double x, double y);
    // Right edge at x, baseline at the text position's y.
    void PrintRightAt(const QString& text, double x);
    void MovePen(double x, double y);
    void LineTo(double x, double y);
    // Outline with the pen, inside filled with the brush (solid white).
    void Rectangle(double x1, double y1, double x2, double y2);
    // Top-left corner at (x, y); each bitmap pixel covers scaleX × scaleY output-device pixels.
    void DrawBitmap(double x, double y, double scaleX, double scaleY, const QImage& bitmap);
    void NewPage();

    int CurrentPage() const { return currentPage_; }
    double XPos() const { return xPos_; }
    double YPos() const { return yPos_; }
    QString FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }
    bool hasPrinter() const { return hasPrinter_; }
    // Dots per inch of the output device.
    double XDPI() const { return resolution_.width(); }
    double YDPI() const { return resolution_.height(); }

protected:
    // Page 1 is started and the last page finished by the owner, the others by NewPage.
    void startPage();
    void finishPage();
    // A new page begins; the commands that follow belong to it.
    virtual void beginPage() = 0;
    // The current page is complete, on paper of this size in inches.
    virtual void endPage(float paperWidth, float paperHeight) = 0;
    virtual void store(DrawCommand command) = 0;

private:
    float storedX(double x) const;
    float storedY(double y) const;
    float inches(double length) const;
    void storeText(float x, TextAlign align, const QString& text);
    void storePenIfChanged();
    double textWidth(const QString& text) const;
    void storeFontIfChanged();
    void useSelectedPrinter();

    JobPrinter& printer_;
    bool hasPrinter_ = false;
    QSizeF resolution_;
    QSizeF storedPaper_{8.5, 11.0};
    double scaleX_ = 1.0, scaleY_ = 1.0;
    double unitsPerInch_ = 1.0;
    int currentPage_ = 0;
    double xPos_ = 0, yPos_ = 0;
    double penX_ = 0, penY_ = 0;
    QString fontName_ = QStringLiteral("Arial");
    double fontSize_ = 10;
    // What the current page has recorded so far, so a change is stored once.
    FontCommand pageFont_;
    PenCommand pagePen_;
};

} // namespace quelmaro
