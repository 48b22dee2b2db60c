#include "report/job_printer.h"
#include "report/render_printer.h"
#include "report/report_canvas.h"
#include "report/report_errors.h"
#include "report/report_job.h"
#include "tests/report/report_test_support.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

// Prints on the CUPS file queue that keeps Qt's own PDF, and reads the pages back.
namespace quelmaro {
namespace {

class CupsPrinting : public testing::Test {
protected:
    void SetUp() override {
        queue = qEnvironmentVariable("QUELMARO_TEST_PRINTER");
        output = qEnvironmentVariable("QUELMARO_TEST_PRINTER_OUTPUT");
        if (queue.isEmpty() || output.isEmpty())
            GTEST_SKIP() << "QUELMARO_TEST_PRINTER and QUELMARO_TEST_PRINTER_OUTPUT name no test queue";
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue)) << queue.toStdString();
        // The queue overwrites its file; removing it first makes sure we read this job's pages.
        QFile::remove(output);
        job.DefaultDest = TReportDest::rdPrinter;
        job.SystemSetups &= ~TSystemSetups(ssAllowSetup);
        job.OnBeforePrint = [this](TReportCanvas& canvas) {
            canvas.SelectPrinter(int(QPrinterInfo::availablePrinterNames().indexOf(queue)));
            canvas.Title = QStringLiteral("RESUMEN DIARIO.");
        };
    }

    // The queue is done when it holds no job and its file has stopped growing.
    std::vector<test::PdfPage> printedPages() {
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() &&
               !test::runTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).trimmed().isEmpty())
            QThread::msleep(100);
        qint64 size = -1;
        while (!deadline.hasExpired() &&
               (QFileInfo(output).size() == 0 || QFileInfo(output).size() != size)) {
            size = QFileInfo(output).size();
            QThread::msleep(200);
        }
        EXPECT_FALSE(deadline.hasExpired()) << "the queue did not finish";
        return test::readPdfWords(output);
    }

    QStringList pageTexts(const std::vector<test::PdfPage>& pages) {
        QStringList texts;
        for (const test::PdfPage& page : pages)
            texts << (page.words.size() > 1 ? page.words[1].text : QString());
        return texts;
    }

    QString queue, output;
    TReportJob job;
};

TEST_F(CupsPrinting, LetterSizedPaperReachesThePrinterInTenthsOfAMillimetre) {
    const auto before = job.OnBeforePrint;
    job.OnBeforePrint = [&](TReportCanvas& canvas) {
        before(canvas);
        canvas.SetPaper(8.5, 11);
    };
    job.OnPrint = [](TReportCanvas& canvas) { canvas.PrintAt(1, 1, QStringLiteral("Carta")); };
    job.Run();
    EXPECT_EQ(job.printer().requestedPaper(), QSize(2159, 2794));
    const auto pages = printedPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[0].height, 792, 0.5);
}

struct Collation {
    bool collate;
    QStringList order;
};

void PrintTo(const Collation& c, std::ostream* os) {
    *os << (c.collate ? "collated" : "uncollated");
}

class CollatedCopies : public CupsPrinting, public testing::WithParamInterface<Collation> {};

TEST_P(CollatedCopies, PrintEveryPageOfAStoreInOrder) {
    PageStore store = test::samplePageStore(2);
    store.pages[1].paperWidth = 7;
    store.pages[1].paperHeight = 9;
    job.printer().SelectPrinter(int(QPrinterInfo::availablePrinterNames().indexOf(queue)));
    job.printer().setCopies(2);
    job.printer().setCollate(GetParam().collate);
    TRenderPrinter renderer;
    renderer.setPrinter(&job.printer());
    renderer.RenderStream(store);
    const auto pages = printedPages();
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pageTexts(pages), GetParam().order);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[0].height, 792, 0.5);
    EXPECT_EQ(test::pdfInfo(output, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
}

INSTANTIATE_TEST_SUITE_P(Printer, CollatedCopies,
                         testing::Values(Collation{true, {"1", "2", "1", "2"}},
                                         Collation{false, {"1", "1", "2", "2"}}));

TEST_F(CupsPrinting, NativeOutputGoesToTheFileInsteadOfThePrinter) {
    QTemporaryDir dir;
    job.DefaultDest = TReportDest::rdFile;
    job.NativeOutput = true;
    job.OutputFile = dir.filePath(QStringLiteral("cierre.prn"));
    job.OnPrint = [](TReportCanvas& canvas) { canvas.PrintAt(1, 1, QStringLiteral("Nativo")); };
    job.Run();
    const auto pages = test::readPdfWords(job.OutputFile);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(test::findWord(pages[0], QStringLiteral("Nativo")), nullptr);
    EXPECT_FALSE(QFile::exists(output)) << "nothing went to the queue";
}

// A second queue that the test adds and removes again, on a driver that takes custom paper sizes: the
// shared queue's driver knows only named sizes and fits anything else onto its Letter paper.
class ExtraQueue : public CupsPrinting {
protected:
    void SetUp() override {
        CupsPrinting::SetUp();
        if (IsSkipped())
            return;
        if (geteuid() != 0)
            GTEST_SKIP() << "adding a print queue needs root";
        ASSERT_TRUE(dir.isValid());
        // The queue's file backend does not run as root.
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString ppd = dir.filePath(QStringLiteral("custom.ppd"));
        QFile generic(QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"));
        QFile custom(ppd);
        ASSERT_TRUE(generic.open(QIODevice::ReadOnly) && custom.open(QIODevice::WriteOnly));
        custom.write(generic.readAll());
        custom.write("*VariablePaperSize: True\n*MaxMediaWidth: \"3600\"\n*MaxMediaHeight: \"7200\"\n"
                     "*CustomPageSize True: \"pop pop pop <</PageSize [5 -2 roll]>>setpagedevice\"\n"
                     "*ParamCustomPageSize Width: 1 points 36 3600\n"
                     "*ParamCustomPageSize Height: 2 points 36 7200\n"
                     "*ParamCustomPageSize WidthOffset: 3 points 0 0\n"
                     "*ParamCustomPageSize HeightOffset: 4 points 0 0\n"
                     "*ParamCustomPageSize Orientation: 5 int 0 0\n");
        custom.close();
        output = dir.filePath(QStringLiteral("extra.pdf"));
        test::runTool(QStringLiteral("lpadmin"),
                      {QStringLiteral("-p"), extra, QStringLiteral("-E"), QStringLiteral("-v"),
                       QStringLiteral("file://") + output, QStringLiteral("-P"), ppd});
        queue = extra;
    }
    void TearDown() override {
        if (QPrinterInfo::availablePrinterNames().contains(extra))
            test::runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), extra});
    }
    int extraIndex() const { return int(QPrinterInfo::availablePrinterNames().indexOf(extra)); }

    // Named after this checkout's test queue, so that another checkout's tests never meet it.
    const QString extra = qEnvironmentVariable("QUELMARO_TEST_PRINTER", QStringLiteral("quelmaro_pdf")) +
                          QStringLiteral("_custom");
    QTemporaryDir dir;
};

TEST_F(ExtraQueue, PageOnCustomPaperWithItsTitleCopiesAndTextPlaces) {
    job.SystemPrinter.Copies = 2;
    const auto before = job.OnBeforePrint;
    job.OnBeforePrint = [&](TReportCanvas& canvas) {
        before(canvas);
        canvas.SetPaper(7, 9);
        EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 7.0);
        EXPECT_DOUBLE_EQ(canvas.PaperHeight(), 9.0);
    };
    job.OnPrint = [](TReportCanvas& canvas) {
        canvas.SelectFont(QStringLiteral("Arial"), 12);
        canvas.PrintAt(1, 1, QStringLiteral("Izquierda"));
        canvas.MoveToPosition(0, 2);
        canvas.PrintRightAt(QStringLiteral("Derecha"), 5.0);
    };
    job.Run();
    const auto pages = printedPages();

    EXPECT_EQ(test::pdfInfo(output, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
    ASSERT_EQ(pages.size(), 2u);
    for (const test::PdfPage& page : pages) {
        EXPECT_NEAR(page.width, 504, 0.5);
        EXPECT_NEAR(page.height, 648, 0.5);
        test::expectWordAt(page, QStringLiteral("Izquierda"), TextAlign::Left, 72, 72);
        test::expectWordAt(page, QStringLiteral("Derecha"), TextAlign::Right, 360, 144);
    }
}

TEST_F(ExtraQueue, SelectPrinterTakesListPositionsAndIgnoresBelowMinusOne) {
    JobPrinter& printer = job.printer();
    printer.SelectPrinter(extraIndex());
    EXPECT_EQ(printer.name(), extra);
    printer.SelectPrinter(-2);
    EXPECT_EQ(printer.name(), extra);
    printer.SelectPrinter(-1);
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    EXPECT_EQ(printer.name(),
              systemDefault.isEmpty() ? QPrinterInfo::availablePrinterNames().first() : systemDefault);
}

TEST_F(ExtraQueue, VanishedPrinterCannotBeOpened) {
    job.printer().SelectPrinter(extraIndex());
    test::runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), extra});
    job.OnBeforePrint = nullptr;
    job.OnPrint = [](TReportCanvas&) { FAIL() << "generated on a printer that is gone"; };
    try {
        job.Run();
        FAIL() << "no error";
    } catch (const InvalidPrinterError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("No se puede imprimir en la impresora ") + extra))
            << e.message().toStdString();
    }
}

} // namespace
} // namespace quelmaro
