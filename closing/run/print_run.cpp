#include "closing/run/print_run.h"

#include "closing/format/format_records.h"
#include "closing/rows/cimpfactura.h"
#include "closing/run/printer_file.h"
#include "platform/messages.h"
#include "platform/printers.h"
#include "report/preview/preview_form.h"
#include "report/render_preview.h"
#include "report/report_canvas.h"
#include "report/setup/setup_form.h"

namespace quelmaro {

namespace {

constexpr int kClosingReportFormat = 131;

// Its position in the system's list, letter case aside; -1 (the default printer) when it is not there.
int printerIndex(const QString& name) {
    const QStringList printers = platform::installedPrinterNames();
    for (qsizetype i = 0; i < printers.size(); ++i)
        if (printers[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

// omWait and omFree of a window shown modally: nothing is left to wait for once the modal show has returned,
// and the window goes at omFree.
void endModalOverride(TOverrideMode mode, QWidget*& form) {
    if (mode != TOverrideMode::omFree)
        return;
    delete form;
    form = nullptr;
}

} // namespace

ClosingPrintRun::ClosingPrintRun(FormatRecords& format, ClosingReportRows& rows, PrintRunContext context,
                                 QWidget* window)
    : QObject(window), ReportJob1(this), RenderRTF1(this), RenderText1(this), RenderPdf1(this),
      renderer(format, rows.CImpfactura), format_(format), rows_(rows), context_(std::move(context)),
      window_(window) {
    setObjectName(QStringLiteral("ClosingPrintRun"));
    // Every other setting is what a new job has.
    ReportJob1.DefaultDest = TReportDest::rdPrinter;
    ReportJob1.OnBeforePrint = [this](TReportCanvas& canvas) { ReportJob1BeforePrint(canvas); };
    ReportJob1.OnPrint = [this](TReportCanvas& canvas) { ReportJob1Print(canvas); };
    ReportJob1.OverrideSetup = [this](TReportJob& job, TOverrideMode mode, QWidget*& form) {
        ReportJob1OverrideSetup(job, mode, form);
    };
    ReportJob1.OverridePreview = [this](TReportJob& job, TOverrideMode mode, QWidget*& form) {
        ReportJob1OverridePreview(job, mode, form);
    };
}

void ClosingPrintRun::print() {
    namedPrinter_.reset();
    if (!selectFormat())
        return;
    // Only exactly "SI" lets the operator choose printer, preview or file; anything else prints at once.
    if (previewChoice() != QLatin1String("SI"))
        ReportJob1.SystemSetups &= ~TSystemSetups(ssAllowSetup);
    ReportJob1.Run();
}

bool ClosingPrintRun::printTo(const ClosingOutput& output) {
    if (!selectFormat())
        return false;
    namedPrinter_ = output.printerName;
    ReportJob1.SystemSetups &= ~TSystemSetups(ssAllowSetup);
    ReportJob1.SystemOptions &= ~TSystemOptions(soShowStatus); // nobody watches a headless run
    if (output.fileName.isEmpty()) {
        ReportJob1.DefaultDest = TReportDest::rdPrinter;
    } else {
        ReportJob1.DefaultDest = TReportDest::rdFile;
        ReportJob1.OutputFile = output.fileName;
        ReportJob1.FileRenderer = output.renderer;
        ReportJob1.NativeOutput = false;
    }
    ReportJob1.Run();
    return true;
}

bool ClosingPrintRun::selectFormat() {
    renderer.indice_punto = 0;
    rows_.totals = {};
    if (format_.select(kClosingReportFormat))
        return true;
    platform::messages().information(QStringLiteral("No se encontró el formato de impresión."));
    return false;
}

QString ClosingPrintRun::previewChoice() {
    return context_.configuracion(QStringLiteral("FACTURACION"), QStringLiteral("GENERAL"),
                                  QStringLiteral("PREVISUALIZAR IMPRESION DE DOCUMENTOS"));
}

void ClosingPrintRun::ReportJob1BeforePrint(TReportCanvas& Sender) {
    choosePrinter(Sender);
    const Value width = format_.CFormato.value(QStringLiteral("FORM_PAPELAN"));
    const Value height = format_.CFormato.value(QStringLiteral("FORM_PAPELAL"));
    if (!width.isNull() && !height.isNull())
        Sender.SetPaper(width.toFixed().toDouble(), height.toFixed().toDouble());
    Sender.Title = QStringLiteral("RESUMEN DIARIO.");
}

// With the setup dialog offered, the printer is the one the operator saw there.
void ClosingPrintRun::choosePrinter(TReportCanvas& canvas) {
    QString name;
    if (namedPrinter_) {
        name = *namedPrinter_;
    } else {
        const QString key = format_.CFormato.value(QStringLiteral("FORM_IMPRE")).toString();
        if (key.isEmpty() || previewChoice() == QLatin1String("SI"))
            return;
        name = nombre_impresora(context_.diraplicacion(), key);
    }
    if (!name.isEmpty())
        canvas.SelectPrinter(printerIndex(name));
}

void ClosingPrintRun::ReportJob1Print(TReportCanvas& Sender) {
    renderer.grid = FormatGrid::forPaper(Sender.PaperWidth(), Sender.PaperHeight());
    renderer.imprime_encabezado(Sender, false, context_.headerInputs());
}

void ClosingPrintRun::ReportJob1OverrideSetup(TReportJob& ReportSystem, TOverrideMode OverrideMode,
                                              QWidget*& OverrideForm) {
    if (OverrideMode == TOverrideMode::omCreate) {
        auto* setup = new TdtSetupForm;
        setup->setWindowTitle(ReportJob1.TitleSetup);
        setup->ReportSystem = &ReportSystem;
        OverrideForm = setup;
    } else if (OverrideMode == TOverrideMode::omShow) {
        ReportSystem.Cancelled = static_cast<TdtSetupForm*>(OverrideForm)->exec() != QDialog::Accepted;
    } else {
        endModalOverride(OverrideMode, OverrideForm);
    }
}

void ClosingPrintRun::ReportJob1OverridePreview(TReportJob& ReportSystem, TOverrideMode OverrideMode,
                                                QWidget*& OverrideForm) {
    if (OverrideMode == TOverrideMode::omCreate) {
        auto* preview = new TFormMyPreview(window_);
        preview->setWindowTitle(ReportSystem.TitlePreview);
        preview->resize(ReportSystem.SystemPreview.FormWidth, ReportSystem.SystemPreview.FormHeight);
        preview->setWindowState(ReportSystem.SystemPreview.FormState);
        preview->ReportSystem = &ReportSystem;
        OverrideForm = preview;
    } else if (OverrideMode == TOverrideMode::omShow) {
        auto* preview = static_cast<TFormMyPreview*>(OverrideForm);
        preview->RenderPreview->applySettings(ReportSystem.SystemPreview);
        preview->PreviewFile = ReportSystem.SystemFiler.FileName;
        preview->PreviewStream = &ReportSystem.pageStore();
        preview->StartPreview();
        preview->exec();
    } else {
        // The preview reads a snapshot file whole, so no file stays open to be closed at omFree.
        endModalOverride(OverrideMode, OverrideForm);
    }
}

} // namespace quelmaro
