#pragma once

#include "closing/render/closing_renderer.h"
#include "report/render_pdf.h"
#include "report/render_rtf.h"
#include "report/render_text.h"
#include "report/report_job.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace quelmaro {

class ClosingReportRows;
class FormatRecords;
class TFileRenderer;

// What the print run reads from the program around it: the configuration lookup, the application directory
// (where impresoras.cfg lies) and, when the page is drawn, the report date and user of the heading.
struct PrintRunContext {
    std::function<QString(const QString& modulo, const QString& categoria, const QString& propiedad)>
        configuracion;
    std::function<QString()> diraplicacion;
    std::function<ReportHeaderInputs()> headerInputs;
};

// Where the headless closing report goes: a printer by its name, or a file whose renderer is given (none for
// a snapshot file).
struct ClosingOutput {
    QString printerName;
    QString fileName;
    TFileRenderer* renderer = nullptr;
};

// The print run of the closing window: the report job ReportJob1 with its file renderers, and its
// events, which choose the printer and paper, draw the report and put the program's setup dialog and
// preview window in place of the job's own.
class ClosingPrintRun : public QObject {
    Q_OBJECT
public:
    // `window` owns the preview window while it is shown.
    ClosingPrintRun(FormatRecords& format, ClosingReportRows& rows, PrintRunContext context, QWidget* window);

    TReportJob ReportJob1;
    TRenderRTF RenderRTF1;
    TRenderText RenderText1;
    // Offered after the text file, the page as printed.
    TRenderPdf RenderPdf1;
    // Draws the page; holds the grid factors and indice_punto.
    ClosingReportRenderer renderer;

    // The print command up to the end of the job: the configuration decides whether the setup dialog is
    // offered or the report goes straight to the printer impresoras.cfg names. Returns normally also when
    // there is no format to print with; errors of the run reach the caller.
    void print();

    // The same page without any dialog and without the configuration: on the named printer, or into the
    // file. False when there is no format to print with.
    bool printTo(const ClosingOutput& output);

    void ReportJob1BeforePrint(TReportCanvas& Sender);
    void ReportJob1Print(TReportCanvas& Sender);
    void ReportJob1OverrideSetup(TReportJob& ReportSystem, TOverrideMode OverrideMode,
                                 QWidget*& OverrideForm);
    void ReportJob1OverridePreview(TReportJob& ReportSystem, TOverrideMode OverrideMode,
                                   QWidget*& OverrideForm);

private:
    // Running totals and indice_punto back to zero, then the format of the closing report; false after
    // telling the operator when there is none.
    bool selectFormat();
    QString previewChoice();
    void choosePrinter(TReportCanvas& canvas);

    FormatRecords& format_;
    ClosingReportRows& rows_;
    PrintRunContext context_;
    QWidget* window_;
    // The printer a headless run names; empty for a file. Unset, the configuration and impresoras.cfg choose.
    std::optional<QString> namedPrinter_;
};

} // namespace quelmaro
