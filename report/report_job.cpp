#include "report/report_job.h"

#include "report/page_store_writer.h"
#include "report/render_printer.h"
#include "report/renderer.h"
#include "report/report_errors.h"
#include "report/snapshot.h"
#include "report/status_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>
#include <memory>
#include <optional>

namespace quelmaro {

namespace {

// Sends the printer's own output to a file for as long as it lives.
class PrinterOutputFile {
public:
    PrinterOutputFile(QPrinter& printer, const QString& fileName) : printer_(printer) {
        printer_.setOutputFileName(fileName);
    }
    ~PrinterOutputFile() { printer_.setOutputFileName(QString()); }
    PrinterOutputFile(const PrinterOutputFile&) = delete;
    PrinterOutputFile& operator=(const PrinterOutputFile&) = delete;

private:
    QPrinter& printer_;
};

// The pages from `first` to `last` (1-based); a range that holds no page of the store is refused, so an
// output never goes out empty without a word.
PageStore pageRange(PageStore store, int first, int last) {
    const int from = std::max(first, 1);
    const int to = std::min(last, store.pageCount());
    if (from > to)
        throw ReportError(QStringLiteral("No hay páginas que imprimir de la %1 a la %2: el reporte tiene %3.")
                              .arg(first)
                              .arg(last)
                              .arg(store.pageCount()));
    store.pages.erase(store.pages.begin() + to, store.pages.end());
    store.pages.erase(store.pages.begin(), store.pages.begin() + (from - 1));
    return store;
}

// Options a job does not carry out are refused before anything happens rather than ignored.
void refuseUnsupportedOptions(TSystemOptions options) {
    static constexpr std::pair<TSystemOption, const char*> unsupported[] = {
        {soUseFiler, "soUseFiler"}, {soWaitForOK, "soWaitForOK"}, {soNoGenerate, "soNoGenerate"}};
    QStringList names;
    for (const auto& [option, name] : unsupported)
        if (options.testFlag(option))
            names << QLatin1String(name);
    if (!names.isEmpty())
        throw ReportError(
            QStringLiteral("Opción de impresión no disponible: %1.").arg(names.join(QStringLiteral(", "))));
}

} // namespace

QString statusLine(const QString& format, int page) {
    QString line;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() &&
            format[i + 1].toLower() == QLatin1Char('p')) {
            line += QString::number(page);
            ++i;
        } else {
            line += format[i];
        }
    }
    return line;
}

TReportJob::TReportJob(QObject* parent) : QObject(parent) {
    SystemPrinter.Duplex = printer_.duplex();
}

TReportJob::~TReportJob() = default;

void TReportJob::Run() {
    refuseUnsupportedOptions(SystemOptions);
    Destination = DefaultDest;
    Cancelled = false;
    if (SystemSetups.testFlag(ssAllowSetup))
        runOverride(OverrideSetup);
    if (Cancelled)
        return;
    generate();
    if (!Cancelled)
        output();
}

void TReportJob::runOverride(const TReportJobEvent& handler) {
    if (!handler)
        return;
    QWidget* form = nullptr;
    handler(*this, TOverrideMode::omCreate, form);
    try {
        handler(*this, TOverrideMode::omShow, form);
        handler(*this, TOverrideMode::omWait, form);
    } catch (...) {
        handler(*this, TOverrideMode::omFree, form);
        throw;
    }
    handler(*this, TOverrideMode::omFree, form);
}

void TReportJob::generate() {
    std::unique_ptr<StatusWindow> status;
    if (SystemOptions.testFlag(soShowStatus)) {
        status = std::make_unique<StatusWindow>(TitleStatus);
        status->show();
    }
    TPageStoreWriter writer(pageStore_, printer_, SystemPrinter);
    writer.onPageStart = [this, &status](int page) {
        if (status)
            status->setStatus(statusLine(SystemFiler.StatusFormat, page));
    };
    if (OnBeforePrint)
        OnBeforePrint(writer);
    writer.open();
    if (OnPrint)
        OnPrint(writer);
    writer.close();
    if (status) {
        // A click on "Cancel" during the last page is still waiting in the queue.
        QCoreApplication::processEvents();
        Cancelled = status->cancelled();
    }
    if (!Cancelled)
        keepPageStore();
}

void TReportJob::keepPageStore() {
    if (SystemFiler.StreamMode == TStreamMode::smMemory || SystemFiler.StreamMode == TStreamMode::smUser)
        SystemFiler.FileName.clear();
    if (Destination == TReportDest::rdFile && !FileRenderer && !NativeOutput) {
        saveSnapshot(outputPages(pageStore_), OutputFile);
        SystemFiler.FileName = OutputFile;
        return;
    }
    switch (SystemFiler.StreamMode) {
    case TStreamMode::smMemory:
        break;
    case TStreamMode::smFile:
        saveSnapshot(pageStore_, SystemFiler.FileName);
        break;
    case TStreamMode::smUser:
        if (SystemFiler.Stream)
            writeSnapshot(pageStore_, *SystemFiler.Stream);
        break;
    case TStreamMode::smTempFile: {
        QTemporaryFile file(QStringLiteral("%1/quelmaro-XXXXXX.ndr").arg(QDir::tempPath()));
        file.setAutoRemove(false);
        if (!file.open())
            throw ReportError(
                QStringLiteral("No se pudo crear un archivo temporal: %1").arg(file.errorString()));
        writeSnapshot(pageStore_, file);
        SystemFiler.FileName = file.fileName();
        break;
    }
    }
}

PageStore TReportJob::outputPages(PageStore generated) const {
    return pageRange(std::move(generated), SystemPrinter.FirstPage, SystemPrinter.LastPage);
}

void TReportJob::output() {
    const bool toPrinter = Destination == TReportDest::rdPrinter ||
                           (Destination == TReportDest::rdFile && !FileRenderer && NativeOutput);
    if (toPrinter) {
        printer_.setCopies(SystemPrinter.Copies);
        printer_.setCollate(SystemPrinter.Collate);
        printer_.setDuplex(SystemPrinter.Duplex);
        std::optional<PrinterOutputFile> file;
        if (Destination == TReportDest::rdFile)
            file.emplace(printer_.device(), OutputFile);
        TRenderPrinter renderer;
        renderer.setPrinter(&printer_);
        renderer.RenderStream(
            outputPages(SystemFiler.FileName.isEmpty() ? pageStore_ : loadSnapshot(SystemFiler.FileName)));
    } else if (Destination == TReportDest::rdFile && FileRenderer) {
        FileRenderer->OutputFile = OutputFile;
        FileRenderer->RenderStream(outputPages(pageStore_));
    } else if (Destination == TReportDest::rdPreview) {
        runOverride(OverridePreview);
    }
}

} // namespace quelmaro
