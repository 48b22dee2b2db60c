#include "report/render_pdf.h"
#include "report/render_text.h"
#include "report/report_canvas.h"
#include "report/report_errors.h"
#include "report/report_job.h"
#include "report/snapshot.h"
#include "tests/report/report_test_support.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Runs where no printer is installed, so nothing reaches a print queue.
namespace quelmaro {
namespace {

QWidget* statusWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("StatusWindow") && widget->isVisible())
            return widget;
    return nullptr;
}

// A job whose events write down what happened, in order.
class RecordedJob : public testing::Test {
protected:
    void SetUp() override {
        job.OverrideSetup = [this](TReportJob& system, TOverrideMode mode, QWidget*& form) {
            EXPECT_EQ(&system, &job);
            record(QStringLiteral("setup"), mode, form);
            if (mode == TOverrideMode::omShow) {
                if (setupThrows)
                    throw ReportError(QStringLiteral("setup failed"));
                job.Cancelled = cancelSetup;
                job.Destination = setupDestination;
            }
        };
        job.OverridePreview = [this](TReportJob& system, TOverrideMode mode, QWidget*& form) {
            record(QStringLiteral("preview"), mode, form);
            if (mode == TOverrideMode::omShow)
                previewedPages = system.pageStore().pageCount();
        };
        job.OnBeforePrint = [this](TReportCanvas& canvas) {
            events << QStringLiteral("before print on page %1").arg(canvas.CurrentPage());
            canvas.Title = QStringLiteral("RESUMEN DIARIO.");
        };
        job.OnPrint = [this](TReportCanvas& canvas) {
            events << QStringLiteral("print on page %1").arg(canvas.CurrentPage());
            if (QWidget* status = statusWindow())
                events << status->windowTitle() + QStringLiteral(": ") + status->findChild<QLabel*>()->text();
            canvas.PrintAt(1, 1, QStringLiteral("Cierre"));
            if (printThrows)
                throw ReportError(QStringLiteral("print failed"));
            if (cancelGeneration)
                cancelGeneration(statusWindow());
        };
    }

    void record(const QString& window, TOverrideMode mode, QWidget*& form) {
        static const char* names[] = {"create", "show", "wait", "free"};
        events << window + QLatin1Char(' ') + QLatin1String(names[int(mode)]);
        if (mode == TOverrideMode::omCreate)
            form = &formToken;
        else
            EXPECT_EQ(form, &formToken) << "the job keeps the form between the calls";
    }

    TReportJob job;
    QWidget formToken;
    QStringList events;
    bool cancelSetup = false;
    bool setupThrows = false;
    bool printThrows = false;
    std::function<void(QWidget* status)> cancelGeneration;
    TReportDest setupDestination = TReportDest::rdPreview;
    int previewedPages = 0;
};

TEST_F(RecordedJob, RunsItsPhasesInOrder) {
    job.Run();
    EXPECT_EQ(events, QStringList({"setup create", "setup show", "setup wait", "setup free",
                                   "before print on page 0", "print on page 1", "Estado: Generating page 1",
                                   "preview create", "preview show", "preview wait", "preview free"}));
    EXPECT_EQ(previewedPages, 1);
    EXPECT_EQ(job.pageStore().title, QStringLiteral("RESUMEN DIARIO."));
    EXPECT_FALSE(job.Cancelled);
    EXPECT_EQ(statusWindow(), nullptr);
}

TEST_F(RecordedJob, WithoutSetupTheDestinationIsTheDefault) {
    job.SystemSetups &= ~TSystemSetups(ssAllowSetup);
    job.SystemOptions &= ~TSystemOptions(soShowStatus);
    job.Destination = TReportDest::rdFile;
    job.Run();
    EXPECT_EQ(job.Destination, TReportDest::rdPreview);
    EXPECT_EQ(events, QStringList({"before print on page 0", "print on page 1", "preview create",
                                   "preview show", "preview wait", "preview free"}));
}

TEST_F(RecordedJob, CancelledSetupGeneratesNothing) {
    cancelSetup = true;
    job.Run();
    EXPECT_TRUE(job.Cancelled);
    EXPECT_EQ(events, QStringList({"setup create", "setup show", "setup wait", "setup free"}));
    EXPECT_EQ(job.pageStore().pageCount(), 0);
}

TEST_F(RecordedJob, CancelDuringGenerationOutputsNothing) {
    const std::function<void(QWidget*)> cancels[] = {
        [](QWidget* status) { status->findChild<QPushButton*>(QStringLiteral("CancelButton"))->click(); },
        [](QWidget* status) { QTest::keyClick(status, Qt::Key_Escape); },
        [](QWidget* status) { status->close(); },
    };
    for (const auto& cancel : cancels) {
        cancelGeneration = cancel;
        events.clear();
        job.Run();
        EXPECT_TRUE(job.Cancelled);
        EXPECT_FALSE(events.contains(QStringLiteral("preview create")));
        EXPECT_EQ(statusWindow(), nullptr);
    }
}

TEST_F(RecordedJob, FailingSetupIsFreedAndReachesTheCaller) {
    setupThrows = true;
    EXPECT_THROW(job.Run(), ReportError);
    EXPECT_EQ(events, QStringList({"setup create", "setup show", "setup free"}));
}

TEST_F(RecordedJob, FailingPrintEventEndsTheRunWithItsError) {
    printThrows = true;
    try {
        job.Run();
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("print failed"));
    }
    EXPECT_FALSE(events.contains(QStringLiteral("preview create")));
    EXPECT_EQ(statusWindow(), nullptr);
}

TEST_F(RecordedJob, PrinterDestinationWithoutPrintersIsAnError) {
    setupDestination = TReportDest::rdPrinter;
    try {
        job.Run();
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No hay impresoras instaladas!"));
    }
}

TEST_F(RecordedJob, StatusLineFollowsEveryPage) {
    job.SystemFiler.StatusFormat = QStringLiteral("Página %P de %p");
    job.OnPrint = [this](TReportCanvas& canvas) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                canvas.NewPage();
            events << statusWindow()->findChild<QLabel*>()->text();
        }
    };
    job.Run();
    EXPECT_TRUE(events.contains(QStringLiteral("Página 3 de 3")));
    EXPECT_TRUE(events.contains(QStringLiteral("Página 2 de 2")));
    EXPECT_EQ(previewedPages, 3);
}

struct StatusCase {
    const char* format;
    int page;
    const char* line;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << '"' << c.format << "\" page " << c.page;
}

class StatusLine : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusLine, ReplacesPercentP) {
    EXPECT_EQ(statusLine(QString::fromUtf8(GetParam().format), GetParam().page),
              QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(Job, StatusLine,
                         testing::Values(StatusCase{"Generating page %p", 1, "Generating page 1"},
                                         StatusCase{"Página %P", 12, "Página 12"},
                                         StatusCase{"%p/%P", 3, "3/3"},
                                         StatusCase{"100% listo", 2, "100% listo"},
                                         StatusCase{"fin %", 2, "fin %"}, StatusCase{"", 1, ""}));

class FileOutput : public RecordedJob {
protected:
    void SetUp() override {
        RecordedJob::SetUp();
        setupDestination = TReportDest::rdFile;
    }
    QString path(const char* name) { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

TEST_F(FileOutput, SnapshotFileHoldsThePages) {
    job.NativeOutput = false;
    job.OutputFile = path("cierre.ndr");
    job.Run();
    EXPECT_FALSE(events.contains(QStringLiteral("preview create")));
    EXPECT_EQ(job.SystemFiler.FileName, job.OutputFile);
    const PageStore stored = loadSnapshot(job.OutputFile);
    EXPECT_EQ(stored.title, QStringLiteral("RESUMEN DIARIO."));
    EXPECT_EQ(std::get<TextCommand>(stored.pages.at(0).commands.at(0)).text, QStringLiteral("Cierre"));
}

TEST_F(FileOutput, RendererWritesItsFormat) {
    TRenderText text;
    job.FileRenderer = &text;
    job.OutputFile = path("cierre.txt");
    job.Run();
    QFile file(job.OutputFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(5, '\n') + QByteArray(10, ' ') + "Cierre\n");
}

TEST_F(FileOutput, PdfRendererKeepsTheTextAndTitle) {
    TRenderPdf pdf;
    job.FileRenderer = &pdf;
    job.OutputFile = path("cierre.pdf");
    job.Run();
    const auto pages = test::readPdfWords(job.OutputFile);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(test::findWord(pages[0], QStringLiteral("Cierre")), nullptr);
    EXPECT_EQ(test::pdfInfo(job.OutputFile, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
}

TEST_F(FileOutput, UnwritableFileIsAnError) {
    job.NativeOutput = false;
    job.OutputFile = path("missing/cierre.ndr");
    EXPECT_THROW(job.Run(), ReportError);
}

// Pages "1" to "3", each showing its number, then each file read back as the numbers of its pages.
TEST_F(FileOutput, PageRangeLimitsWhatEveryFileHolds) {
    job.OnPrint = [](TReportCanvas& canvas) {
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                canvas.NewPage();
            canvas.PrintAt(1, 1, QString::number(page));
        }
    };
    const auto pdfPages = [](const QString& file) {
        QStringList numbers;
        for (const test::PdfPage& page : test::readPdfWords(file))
            numbers << (page.words.empty() ? QString() : page.words.front().text);
        return numbers;
    };
    TRenderText text;
    TRenderPdf pdf;
    struct Output {
        const char* file;
        TFileRenderer* renderer;
        bool nativeOutput;
        std::function<QStringList(const QString&)> pages;
    };
    const Output outputs[] = {
        {"cierre.ndr", nullptr, false,
         [](const QString& file) {
             QStringList numbers;
             for (const Page& page : loadSnapshot(file).pages)
                 numbers << std::get<TextCommand>(page.commands.at(0)).text;
             return numbers;
         }},
        {"cierre.prn", nullptr, true, pdfPages},
        {"cierre.pdf", &pdf, false, pdfPages},
        {"cierre.txt", &text, false,
         [](const QString& file) {
             QFile read(file);
             EXPECT_TRUE(read.open(QIODevice::ReadOnly));
             QStringList numbers = QString::fromUtf8(read.readAll()).split(u'\f');
             for (QString& number : numbers)
                 number = number.trimmed();
             return numbers;
         }},
    };
    job.SystemPrinter.FirstPage = 2;
    job.SystemPrinter.LastPage = 3;
    for (const Output& output : outputs) {
        job.OutputFile = path(output.file);
        job.FileRenderer = output.renderer;
        job.NativeOutput = output.nativeOutput;
        job.Run();
        EXPECT_EQ(output.pages(job.OutputFile), QStringList({"2", "3"})) << output.file;
    }
    EXPECT_EQ(job.pageStore().pageCount(), 3) << "the preview still has every page";

    // A range that holds no page is refused and writes nothing.
    job.FileRenderer = &text;
    for (const auto& [first, last] : {std::pair{4, 9999}, std::pair{3, 2}}) {
        job.SystemPrinter.FirstPage = first;
        job.SystemPrinter.LastPage = last;
        job.OutputFile = path("vacio.txt");
        try {
            job.Run();
            ADD_FAILURE() << "no error for pages " << first << " to " << last;
        } catch (const ReportError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("No hay páginas que imprimir de la %1 a la %2: el reporte tiene 3.")
                          .arg(first)
                          .arg(last));
        }
        EXPECT_FALSE(QFile::exists(job.OutputFile));
    }
    // A range reaching past the report keeps the pages it holds.
    job.SystemPrinter.FirstPage = 0;
    job.SystemPrinter.LastPage = 1;
    job.Run();
    EXPECT_EQ(outputs[3].pages(job.OutputFile), QStringList({"1"}));
}

TEST_F(RecordedJob, OptionsItDoesNotCarryOutAreRefusedBeforeAnything) {
    const std::pair<TSystemOption, const char*> options[] = {
        {soUseFiler, "soUseFiler"}, {soWaitForOK, "soWaitForOK"}, {soNoGenerate, "soNoGenerate"}};
    for (const auto& [option, name] : options) {
        job.SystemOptions |= option;
        try {
            job.Run();
            ADD_FAILURE() << "no error for " << name;
        } catch (const ReportError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Opción de impresión no disponible: %1.").arg(QLatin1String(name)));
        }
        job.SystemOptions &= ~TSystemOptions(option);
    }
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(RecordedJob, FilerModesKeepTheSnapshotWhereAsked) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    job.SystemFiler.StreamMode = TStreamMode::smUser;
    job.SystemFiler.Stream = &buffer;
    job.Run();
    EXPECT_EQ(decodeSnapshot(buffer.data()).pageCount(), 1);

    job.SystemFiler.StreamMode = TStreamMode::smTempFile;
    job.Run();
    ASSERT_FALSE(job.SystemFiler.FileName.isEmpty());
    EXPECT_EQ(loadSnapshot(job.SystemFiler.FileName).pageCount(), 1);
    QFile::remove(job.SystemFiler.FileName);
}

} // namespace
} // namespace quelmaro
