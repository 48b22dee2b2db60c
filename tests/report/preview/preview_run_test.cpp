#include "platform/recording_messages.h"
#include "report/preview/preview_form.h"
#include "report/render_preview.h"
#include "report/report_canvas.h"
#include "report/report_job.h"
#include "report/snapshot.h"
#include "tests/platform/modal_watcher.h"
#include "tests/report/report_test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// The preview window in a whole report run, and printing from it on the CUPS test queue.
namespace quelmaro {
namespace {

using platform::test::ModalWatcher;

// The preview phase as the closing window answers it.
void previewAsThePrintRun(TReportJob& system, TOverrideMode mode, QWidget*& form) {
    switch (mode) {
    case TOverrideMode::omCreate: {
        auto* preview = new TFormMyPreview;
        preview->setWindowTitle(system.TitlePreview);
        preview->resize(system.SystemPreview.FormWidth, system.SystemPreview.FormHeight);
        preview->setWindowState(system.SystemPreview.FormState);
        preview->ReportSystem = &system;
        form = preview;
        break;
    }
    case TOverrideMode::omShow: {
        auto* preview = static_cast<TFormMyPreview*>(form);
        preview->RenderPreview->applySettings(system.SystemPreview);
        preview->PreviewFile = system.SystemFiler.FileName;
        preview->PreviewStream = &system.pageStore();
        preview->StartPreview();
        preview->exec();
        break;
    }
    case TOverrideMode::omWait:
        break;
    case TOverrideMode::omFree:
        delete form;
        form = nullptr;
        break;
    }
}

class PreviewRun : public testing::Test {
protected:
    void SetUp() override {
        job.DefaultDest = TReportDest::rdPreview;
        job.SystemSetups &= ~TSystemSetups(ssAllowSetup);
        // The status window is modal as well; without it the first modal window of the run is the preview.
        job.SystemOptions &= ~TSystemOptions(soShowStatus);
        job.OverridePreview = [this](TReportJob& system, TOverrideMode mode, QWidget*& form) {
            previewAsThePrintRun(system, mode, form);
            if (mode == TOverrideMode::omCreate)
                shown = form;
        };
        job.OnPrint = [](TReportCanvas& canvas) {
            canvas.PrintAt(1, 1, QStringLiteral("Primera"));
            canvas.NewPage();
            canvas.PrintAt(1, 1, QStringLiteral("Segunda"));
        };
    }

    platform::ScopedRecording messages;
    TReportJob job;
    QPointer<QWidget> shown;
};

TEST_F(PreviewRun, ShowsTheJobsPagesUntilClosedAndLeavesThemToTheJob) {
    {
        ModalWatcher watcher({[](QWidget* preview) {
            EXPECT_EQ(preview->windowTitle(), QStringLiteral("Vista preliminar"));
            EXPECT_GE(preview->width(), 615) << "the job's size, or more for the page";
            EXPECT_GE(preview->height(), 450);
            EXPECT_FALSE(preview->windowState() & Qt::WindowMaximized);
            EXPECT_EQ(preview->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("de 2"));
            QTest::keyClick(preview, 'x');
        }});
        job.Run();
    }
    EXPECT_TRUE(shown.isNull()) << "the window is gone once the run is over";
    EXPECT_EQ(job.pageStore().pageCount(), 2);
}

TEST_F(PreviewRun, ShowsAPageStoreKeptInASnapshotFile) {
    QTemporaryDir folder;
    job.SystemFiler.StreamMode = TStreamMode::smFile;
    job.SystemFiler.FileName = folder.filePath(QStringLiteral("paginas.ndr"));
    {
        ModalWatcher watcher({[](QWidget* preview) {
            EXPECT_EQ(preview->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("de 2"));
            QTest::keyClick(preview, Qt::Key_Escape);
        }});
        job.Run();
    }
    EXPECT_TRUE(shown.isNull());
    // The window held no lock on the file.
    EXPECT_TRUE(QFile::remove(job.SystemFiler.FileName));
}

// Prints on the CUPS file queue that keeps Qt's own PDF.
class PreviewPrinting : public PreviewRun {
protected:
    void SetUp() override {
        queue = qEnvironmentVariable("QUELMARO_TEST_PRINTER");
        output = qEnvironmentVariable("QUELMARO_TEST_PRINTER_OUTPUT");
        if (queue.isEmpty() || output.isEmpty())
            GTEST_SKIP() << "QUELMARO_TEST_PRINTER and QUELMARO_TEST_PRINTER_OUTPUT name no test queue";
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue)) << queue.toStdString();
        PreviewRun::SetUp();
        job.printer().SelectPrinter(int(QPrinterInfo::availablePrinterNames().indexOf(queue)));
        QFile::remove(output);
    }

    // The queue's file, once the queue holds no job and the file has stopped growing.
    std::vector<test::PdfPage> printedPages() {
        qint64 size = -1;
        const bool printed = QTest::qWaitFor(
            [&] {
                const qint64 previous = std::exchange(size, QFileInfo(output).size());
                return size > 0 && size == previous &&
                       test::runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue})
                           .trimmed()
                           .isEmpty();
            },
            60000);
        EXPECT_TRUE(printed) << "the queue did not finish";
        return test::readPdfWords(output);
    }

    QString queue, output;
};

TEST_F(PreviewPrinting, PrintButtonPrintsEveryPageOnTheReportPrinter) {
    job.OnBeforePrint = [](TReportCanvas& canvas) { canvas.Title = QStringLiteral("RESUMEN DIARIO."); };
    // What is chosen in the print dialog does not reach the report printer.
    messages.answerPrint([](QPrinter& printer) { printer.setCopyCount(3); });
    {
        ModalWatcher watcher({[](QWidget* preview) {
            QTest::mouseClick(preview->findChild<QToolButton*>(QStringLiteral("SpeedButton7")),
                              Qt::LeftButton);
            QTest::keyClick(preview, 'x');
        }});
        job.Run();
    }
    ASSERT_EQ(messages.dialogs().size(), 1);
    EXPECT_EQ(std::get<platform::PrintRequest>(messages.dialogs().front()),
              (platform::PrintRequest{queue, 1, 2}));
    EXPECT_TRUE(messages.recorded().isEmpty());
    const auto pages = printedPages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(test::findWord(pages[0], QStringLiteral("Primera")), nullptr);
    EXPECT_NE(test::findWord(pages[1], QStringLiteral("Segunda")), nullptr);
    EXPECT_EQ(test::pdfInfo(output, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
}

TEST_F(PreviewPrinting, PrintsTheSnapshotOpenedInThePreview) {
    QTemporaryDir folder;
    const QString snapshot = folder.filePath(QStringLiteral("anterior.ndr"));
    saveSnapshot(test::samplePageStore(3), snapshot);
    messages.answerOpenFile(snapshot);
    messages.answerCancel(platform::DialogKind::Print);
    messages.answerPrint();
    {
        ModalWatcher watcher({[](QWidget* preview) {
            QTest::mouseClick(preview->findChild<QToolButton*>(QStringLiteral("SpeedButton6")),
                              Qt::LeftButton);
            auto* print = preview->findChild<QToolButton*>(QStringLiteral("SpeedButton7"));
            QTest::mouseClick(print, Qt::LeftButton);
            QTest::mouseClick(print, Qt::LeftButton);
            QTest::keyClick(preview, Qt::Key_Escape);
        }});
        job.Run();
    }
    EXPECT_EQ(std::get<platform::PrintRequest>(messages.dialogs().back()),
              (platform::PrintRequest{queue, 1, 3}));
    const auto pages = printedPages();
    ASSERT_EQ(pages.size(), 3u) << "a cancelled print dialog prints nothing";
    EXPECT_EQ(test::pdfInfo(output, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
}

} // namespace
} // namespace quelmaro
