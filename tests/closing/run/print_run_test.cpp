#include "closing/format/format_records.h"
#include "closing/rows/cimpfactura.h"
#include "closing/run/print_run.h"
#include "closing/run/printer_file.h"
#include "data/dm/dm.h"
#include "platform/clock.h"
#include "platform/recording_messages.h"
#include "report/job_printer.h"
#include "report/page_store_writer.h"
#include "report/preview/preview_form.h"
#include "report/render_preview.h"
#include "tests/closing/support/closing_page.h"
#include "tests/closing/support/modal_answers.h"
#include "tests/closing/support/print_queues.h"
#include "tests/closing/support/summary_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

// The print run of the closing report on a company database whose daily summary holds the known day.
namespace quelmaro {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

const QString kPreviewProperty = QStringLiteral("PREVISUALIZAR IMPRESION DE DOCUMENTOS");
const QTime kPrintTime(18, 30, 5);

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct PrinterFileCase {
    const char* lines;
    const char* name;
};

TEST(PrinterFile, FirstLineHoldingTheKeyAndACommaGivesTheRestOfIt) {
    const PrinterFileCase cases[] = {
        {"CAJA,Epson\n", "Epson"},
        {"SUBCAJA,Epson\n", "Epson"},            // the key may stand anywhere in the line
        {"CAJA, Epson\n", " Epson"},             // blanks are kept
        {"CAJA,\nCAJA,HP\n", "HP"},              // a line without a name is passed over
        {"caja,Epson\n", ""},                    // letter case counts
        {"CAJA Epson\nCAJA2,Zebra\n", ""},       // the comma belongs to the key
        {"OTRA,x\r\nCAJA,Zebra\r\n", "Zebra"},   // CR LF lines
        {"CAJA,Epson,remota\n", "Epson,remota"}, // the rest of the line, commas and all
        {"CAJA,Epson\nCAJA,HP\n", "Epson"},      // the first one wins
        {"CAJA,Epson", "Epson"},                 // a last line without its end
    };
    for (const PrinterFileCase& c : cases) {
        test::TempDir folder;
        writeFile(folder.filePath(QStringLiteral("impresoras.cfg")), c.lines);
        platform::ScopedRecording messages;
        EXPECT_EQ(nombre_impresora(folder.path(), QStringLiteral("CAJA")), QString::fromUtf8(c.name))
            << c.lines;
        EXPECT_TRUE(messages.recorded().isEmpty());
    }
}

TEST(PrinterFile, MissingFileIsReportedWithItsPath) {
    test::TempDir folder;
    platform::ScopedRecording messages;
    EXPECT_EQ(nombre_impresora(folder.path(), QStringLiteral("CAJA")), QString());
    const QString path = folder.path() + QDir::separator() + QStringLiteral("impresoras.cfg");
    EXPECT_EQ(messages.recorded(),
              QList<RecordedMessage>(
                  {{MessageKind::Information, QStringLiteral("Error abriendo el archivo") + path}}));
}

// A print run as the closing window holds it, with the data module connected to a copy of the company.
class PrintRun : public testing::Test {
protected:
    void SetUp() override {
        if (queue.name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(queue.name))
            GTEST_SKIP() << "no test print queue; scripts/services.sh starts one";
        dataModule.Norvane.setParameter(QStringLiteral("Database"), test::copyKnownDayCompany(companies));
        dataModule.Norvane.open();
        rows.open(ClosingRequest{
            test::kKnownDay, {QStringLiteral("0"), QStringLiteral("99999")}, QStringLiteral("0")});
        setPreviewChoice("NO");
        assignPrinter(queue.name);
    }
    void TearDown() override {
        if (!queue.name.isEmpty())
            queue.drain(); // the next test's pages must not meet this test's job
    }

    void sql(const QString& statement, const QList<Value>& params = {}) {
        dataModule.Norvane.execute(statement, params);
    }
    void setPreviewChoice(const char* value) {
        sql(QStringLiteral("update configuracion set conf_valor = ? where conf_propiedad = ?"),
            {QString::fromLatin1(value), kPreviewProperty});
    }
    void assignPrinter(const QString& printer) {
        writeFile(printerFile(), "OTRA,nada\nCIERRE," + printer.toUtf8() + "\n");
    }
    QString printerFile() const { return applicationDirectory.filePath(QStringLiteral("impresoras.cfg")); }
    QStringList errorsShown() const {
        QStringList texts;
        for (const RecordedMessage& message : messages.recorded())
            if (message.kind == MessageKind::Error)
                texts << message.text;
        return texts;
    }

    platform::ScopedRecording messages;
    platform::FixedClock clock{QDateTime(test::kKnownDay, kPrintTime)};
    // The default printer from before the run's job takes it.
    test::PrintQueue queue = test::PrintQueue::sharedAsDefault();
    test::CompanyRoot companies;
    test::TempDir applicationDirectory;
    Tfdm dataModule;
    QWidget window;
    int lookups = 0;
    ClosingReportRows rows{dataModule.QResumen, &window};
    FormatRecords format{dataModule.Tformatos, &window};
    ClosingPrintRun run{
        format, rows,
        PrintRunContext{[this](const QString& modulo, const QString& categoria, const QString& propiedad) {
                            ++lookups;
                            return dataModule.configuracion(modulo, categoria, propiedad);
                        },
                        [this] { return applicationDirectory.path(); },
                        [] {
                            return ReportHeaderInputs{test::kKnownDay, QStringLiteral("CAJERO1")};
                        }},
        &window};
};

TEST_F(PrintRun, JobOfTheClosingWindow) {
    const TReportJob& job = run.ReportJob1;
    EXPECT_EQ(job.TitleSetup, QStringLiteral("Opciones"));
    EXPECT_EQ(job.TitleStatus, QStringLiteral("Estado"));
    EXPECT_EQ(job.TitlePreview, QStringLiteral("Vista preliminar"));
    EXPECT_EQ(job.DefaultDest, TReportDest::rdPrinter);
    EXPECT_EQ(job.SystemFiler.StatusFormat, QStringLiteral("Generating page %p"));
    EXPECT_EQ(job.SystemPreview.ZoomFactor, 100.0);
    EXPECT_EQ(job.SystemPrinter.ScaleX, 100.0);
    EXPECT_EQ(job.SystemPrinter.ScaleY, 100.0);
    EXPECT_EQ(job.SystemPrinter.StatusFormat, QStringLiteral("Printing page %p"));
    EXPECT_EQ(job.SystemPrinter.Title, QStringLiteral("Untitled Report"));
    EXPECT_EQ(job.SystemPrinter.UnitsFactor, 1.0);
    EXPECT_EQ(job.SystemSetups, kAllSystemSetups);
    EXPECT_EQ(job.SystemOptions, soShowStatus | soAllowPrintFromPreview | soPreviewModal);
    EXPECT_EQ(run.RenderRTF1.DisplayName(), QStringLiteral("Rich Text Format (RTF)"));
    EXPECT_EQ(run.RenderText1.DisplayName(), QStringLiteral("Plain Text (TXT)"));
    EXPECT_EQ(run.RenderText1.CPI, 10.0);
    EXPECT_EQ(run.RenderText1.LPI, 6.0);
}

// Anything but exactly "SI" prints at once on the printer impresoras.cfg assigns to the format's key
// CIERRE, on the format's letter paper.
TEST_F(PrintRun, PrintsDirectlyUnlessTheConfigurationSaysSI) {
    queue.clear();
    for (const char* value : {"NO", "si", "SI "}) {
        setPreviewChoice(value);
        lookups = 0;
        run.print();
        EXPECT_EQ(lookups, 2) << value; // the print command and the printer choice
        EXPECT_TRUE(messages.recorded().isEmpty()) << value;
        EXPECT_EQ(run.ReportJob1.printer().name(), queue.name);
        EXPECT_EQ(run.ReportJob1.printer().requestedPaper(), QSize(2159, 2794));
        EXPECT_EQ(run.renderer.grid.factor_x, Fixed::parse(QStringLiteral("0.0057")));
        EXPECT_EQ(run.renderer.grid.factor_y, Fixed::parse(QStringLiteral("0.0055")));
        EXPECT_EQ(run.renderer.indice_punto, 3);
        EXPECT_EQ(run.ReportJob1.pageStore().title, QStringLiteral("RESUMEN DIARIO."));
        EXPECT_EQ(run.ReportJob1.pageStore().pageCount(), 1);
        EXPECT_FALSE(run.ReportJob1.SystemSetups.testFlag(ssAllowSetup)) << value;
        run.ReportJob1.SystemSetups |= ssAllowSetup;
    }
    const std::vector<test::PdfPage> pages = queue.printedPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(test::pdfInfo(queue.output, QStringLiteral("Title")), QStringLiteral("RESUMEN DIARIO."));
    // The format prints all 54 header data and 45 data for each of the three points of sale.
    EXPECT_EQ(test::expectClosingPage(pages[0], dataModule.Norvane,
                                      {test::kKnownDay, 0, 99999, 0, QStringLiteral("CAJERO1"), kPrintTime}),
              54u + 3 * 45);
}

// The print command resets the running totals and the column count before it prints.
TEST_F(PrintRun, StartsFromTheFirstColumnAgain) {
    run.renderer.indice_punto = 7;
    rows.totals.AcumIva16 = Fixed::fromInt(99);
    run.print();
    EXPECT_EQ(run.renderer.indice_punto, 3);
    EXPECT_EQ(rows.totals.AcumIva16, Fixed());
}

TEST_F(PrintRun, MissingConfigurationRowIsReportedByBothLookupsAndPrintsDirectly) {
    sql(QStringLiteral("delete from configuracion where conf_propiedad = ?"), {kPreviewProperty});
    run.print();
    const QString missing = QStringLiteral("No se encontró la configuración ") + kPreviewProperty;
    EXPECT_EQ(errorsShown(), QStringList({missing, missing}));
    EXPECT_EQ(run.ReportJob1.printer().name(), queue.name);
    EXPECT_EQ(run.ReportJob1.pageStore().pageCount(), 1);
}

TEST_F(PrintRun, EmptyPrinterKeyLeavesThePrinterAndLooksTheConfigurationUpOnce) {
    sql(QStringLiteral("update formatos set form_impre = null where tido_cod = 131"));
    QFile::remove(printerFile());
    run.print();
    EXPECT_EQ(lookups, 1);
    EXPECT_TRUE(messages.recorded().isEmpty()); // impresoras.cfg was not read
    EXPECT_EQ(run.ReportJob1.pageStore().pageCount(), 1);
}

TEST_F(PrintRun, MissingPrinterFileIsReportedAndTheCurrentPrinterPrints) {
    QFile::remove(printerFile());
    run.print();
    EXPECT_EQ(
        messages.recorded(),
        QList<RecordedMessage>({{MessageKind::Information,
                                 QStringLiteral("Error abriendo el archivo") + applicationDirectory.path() +
                                     QDir::separator() + QStringLiteral("impresoras.cfg")}}));
    EXPECT_EQ(run.ReportJob1.printer().name(), queue.name);
    EXPECT_EQ(run.ReportJob1.pageStore().pageCount(), 1);
}

// Before print on a canvas of its own: the paper a printed page ends on is the printer's in any case.
TEST_F(PrintRun, PaperIsTheFormatsOnlyWhenBothSidesAreSet) {
    const auto requestedPaper = [this] {
        EXPECT_TRUE(format.select(131));
        JobPrinter printer;
        PageStore store;
        TPageStoreWriter canvas(store, printer, PrinterSettings{});
        run.ReportJob1BeforePrint(canvas);
        EXPECT_EQ(canvas.Title, QStringLiteral("RESUMEN DIARIO."));
        return printer.requestedPaper();
    };
    EXPECT_EQ(requestedPaper(), QSize(2159, 2794));
    sql(QStringLiteral("update formatos set form_papelal = null where tido_cod = 131"));
    EXPECT_TRUE(requestedPaper().isEmpty());
}

// With "SI" the operator chooses in the setup dialog; impresoras.cfg is not read at all.
class PrintRunWithSetup : public PrintRun {
protected:
    void SetUp() override {
        PrintRun::SetUp();
        if (IsSkipped())
            return;
        setPreviewChoice("SI");
        QFile::remove(printerFile());
    }
    static void chooseFile(QWidget* dialog, const QString& fileName, int format) {
        auto* file = dialog->findChild<QRadioButton*>(QStringLiteral("FileRB"));
        QTest::mouseClick(file, Qt::LeftButton, {}, QPoint(8, file->height() / 2));
        dialog->findChild<QLineEdit*>(QStringLiteral("editFileName"))->setText(fileName);
        dialog->findChild<QComboBox*>(QStringLiteral("cboxFormat"))->setCurrentIndex(format);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bbtnOK")), Qt::LeftButton);
    }
};

TEST_F(PrintRunWithSetup, ChosenTextFileReceivesTheReport) {
    test::TempDir folder;
    {
        test::ModalAnswers answers({{"quelmaro::TdtSetupForm", [&](QWidget* dialog) {
                                         EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Opciones"));
                                         chooseFile(dialog, folder.filePath(QStringLiteral("cierre")), 3);
                                     }}});
        run.print();
    }
    EXPECT_EQ(lookups, 2);
    EXPECT_TRUE(messages.recorded().isEmpty());
    QFile text(folder.filePath(QStringLiteral("cierre.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString report = QString::fromUtf8(text.readAll());
    for (const char* figure :
         {"CAJA UNO", "CAJA DOS", "CAJA TRES", "274.00", "-101.25", "2024/03/15", "CAJERO1"})
        EXPECT_TRUE(report.contains(QLatin1String(figure))) << figure;
}

// The PDF file comes after the formats the dialog always offers, and holds the page as printed.
TEST_F(PrintRunWithSetup, ChosenPdfFileHoldsThePageAsPrinted) {
    test::TempDir folder;
    QStringList offered;
    {
        test::ModalAnswers answers({{"quelmaro::TdtSetupForm", [&](QWidget* dialog) {
                                         const auto* formats =
                                             dialog->findChild<QComboBox*>(QStringLiteral("cboxFormat"));
                                         for (int i = 0; i < formats->count(); ++i)
                                             offered << formats->itemText(i);
                                         chooseFile(dialog, folder.filePath(QStringLiteral("cierre")), 4);
                                     }}});
        run.print();
    }
    EXPECT_EQ(offered,
              QStringList({"Report Snapshot File (NDR)", "Native Printer Output (PRN)",
                           "Rich Text Format (RTF)", "Plain Text (TXT)", "Portable Document Format (PDF)"}));
    EXPECT_TRUE(messages.recorded().isEmpty());
    const std::vector<test::PdfPage> pages =
        test::readPdfWords(folder.filePath(QStringLiteral("cierre.pdf")));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(test::expectClosingPage(pages[0], dataModule.Norvane,
                                      {test::kKnownDay, 0, 99999, 0, QStringLiteral("CAJERO1"), kPrintTime}),
              54u + 3 * 45);
}

TEST_F(PrintRunWithSetup, PreviewShowsThePage) {
    {
        test::ModalAnswers answers(
            {{"quelmaro::TdtSetupForm",
              [](QWidget* dialog) {
                  auto* preview = dialog->findChild<QRadioButton*>(QStringLiteral("PreviewRB"));
                  QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(8, preview->height() / 2));
                  QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bbtnOK")),
                                    Qt::LeftButton);
              }},
             {"quelmaro::TFormMyPreview", [this](QWidget* shown) {
                  auto* preview = static_cast<TFormMyPreview*>(shown);
                  EXPECT_EQ(preview->windowTitle(), QStringLiteral("Vista preliminar"));
                  // At least the job's size, more when the page needs it and the screen has room.
                  EXPECT_GE(preview->width(), 615);
                  EXPECT_GE(preview->height(), 450);
                  EXPECT_TRUE(preview->screen()->availableGeometry().contains(preview->geometry()));
                  EXPECT_EQ(preview->parentWidget(), &window);
                  EXPECT_EQ(preview->PreviewStream, &run.ReportJob1.pageStore());
                  EXPECT_EQ(preview->RenderPreview->PageCount(), 1);
                  EXPECT_EQ(preview->RenderPreview->ZoomFactor(), 100.0);
                  EXPECT_EQ(preview->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                            QStringLiteral("de 1"));
                  QTest::keyClick(preview, Qt::Key_Escape);
              }}});
        run.print();
    }
    EXPECT_EQ(run.ReportJob1.pageStore().pageCount(), 1);
    EXPECT_TRUE(window.findChildren<TFormMyPreview*>().isEmpty()); // destroyed after the preview
}

// A second queue tells the printer impresoras.cfg names from the default one, the test queue.
class PrintRunOnSecondQueue : public PrintRun {
protected:
    void SetUp() override {
        PrintRun::SetUp();
        if (IsSkipped())
            return;
        if (geteuid() != 0)
            GTEST_SKIP() << "adding a print queue needs root";
        second = std::make_unique<test::AddedQueue>(queue.name + QStringLiteral("_cierre"));
    }
    void TearDown() override {
        second.reset();
        PrintRun::TearDown();
    }
    std::unique_ptr<test::AddedQueue> second;
};

TEST_F(PrintRunOnSecondQueue, PrinterNameIsFoundWhateverItsLetterCase) {
    assignPrinter(second->queue().name.toUpper());
    run.print();
    EXPECT_EQ(run.ReportJob1.printer().name(), second->queue().name);
    const std::vector<test::PdfPage> pages = second->queue().printedPages();
    ASSERT_EQ(pages.size(), 1u);
    // The format prints all 54 header data and 45 data for each of the three points of sale.
    EXPECT_EQ(test::expectClosingPage(pages[0], dataModule.Norvane,
                                      {test::kKnownDay, 0, 99999, 0, QStringLiteral("CAJERO1"), kPrintTime}),
              54u + 3 * 45);
}

TEST_F(PrintRunOnSecondQueue, NameThatIsNoPrinterGivesTheDefaultPrinter) {
    for (const QString& name : {QStringLiteral(" ") + second->queue().name, QStringLiteral("Epson remota")}) {
        assignPrinter(name);
        run.print();
        EXPECT_EQ(run.ReportJob1.printer().name(), queue.name) << name.toStdString();
        EXPECT_TRUE(messages.recorded().isEmpty());
    }
}

} // namespace
} // namespace quelmaro
