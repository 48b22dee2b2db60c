#pragma once

#include "report/job_printer.h"
#include "report/job_settings.h"
#include "report/page_store.h"
#include "report/report_types.h"

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace quelmaro {

class TFileRenderer;
class TReportCanvas;
class TReportJob;

// The window a job's setup or preview phase uses instead of its own: called with omCreate (store the new
// window in form), omShow, omWait and omFree, always the same form.
using TReportJobEvent =
    std::function<void(TReportJob& ReportSystem, TOverrideMode OverrideMode, QWidget*& OverrideForm)>;
// Called with the canvas of the generation.
using TReportCanvasEvent = std::function<void(TReportCanvas& Sender)>;

// One report from choice of destination to output: setup dialog, generation of the pages into a page
// store, then printer, preview window or file.
class TReportJob : public QObject {
    Q_OBJECT
public:
    explicit TReportJob(QObject* parent = nullptr);
    ~TReportJob() override;

    QString TitleSetup = QStringLiteral("Opciones");
    QString TitleStatus = QStringLiteral("Estado");
    QString TitlePreview = QStringLiteral("Vista preliminar");
    TReportDest DefaultDest = TReportDest::rdPreview;
    TSystemSetups SystemSetups = kAllSystemSetups;
    TSystemOptions SystemOptions = soShowStatus | soAllowPrintFromPreview | soPreviewModal;
    FilerSettings SystemFiler;
    PreviewSettings SystemPreview;
    PrinterSettings SystemPrinter;

    // Before the page store opens: may select the printer, set the paper and the title.
    TReportCanvasEvent OnBeforePrint;
    // With page 1 started: draws the report.
    TReportCanvasEvent OnPrint;
    TReportJobEvent OverrideSetup;
    TReportJobEvent OverridePreview;

    // State of one run, set by the setup phase.
    TReportDest Destination = TReportDest::rdPreview;
    QString OutputFile;
    // With rdFile and no FileRenderer: the printer's own output goes to OutputFile, else a snapshot file.
    bool NativeOutput = true;
    TFileRenderer* FileRenderer = nullptr;
    bool Cancelled = false;

    // One complete report. Errors of the printer, the events and the output reach the caller, after the
    // override windows already created have had their omFree. The printer and the files get the pages from
    // SystemPrinter.FirstPage to LastPage; the preview shows them all. Every generation goes through the page
    // store, and the options soUseFiler, soWaitForOK and soNoGenerate are refused with an error.
    void Run();

    // The printer of the job: at first the system's default printer.
    JobPrinter& printer() { return printer_; }
    // The pages of the last generation; they stay here until the job is destroyed.
    const PageStore& pageStore() const { return pageStore_; }

private:
    void runOverride(const TReportJobEvent& handler);
    void generate();
    void keepPageStore();
    void output();
    PageStore outputPages(PageStore generated) const;

    JobPrinter printer_;
    PageStore pageStore_;
};

// The status format with "%p", in either letter case, replaced by the page number.
QString statusLine(const QString& format, int page);

} // namespace quelmaro
