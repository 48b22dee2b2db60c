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
#include <QTemporaryFile>

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
        saveSnapshot(pageStore_, OutputFile);
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
        if (SystemFiler.FileName.isEmpty())
            renderer.RenderStream(pageStore_);
        else
            renderer.RenderFile(SystemFiler.FileName);
    } else if (Destination == TReportDest::rdFile && FileRenderer) {
        FileRenderer->OutputFile = OutputFile;
        FileRenderer->RenderStream(pageStore_);
    } else if (Destination == TReportDest::rdPreview) {
        runOverride(OverridePreview);
    }
}

} // namespace quelmaro
