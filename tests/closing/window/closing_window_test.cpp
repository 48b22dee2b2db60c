#include "closing/window/cierre.h"
#include "data/dm/dm.h"
#include "data/recordset/recordset.h"
#include "platform/clock.h"
#include "platform/recording_messages.h"
#include "report/report_job.h"
#include "shell/rngquelmaro.h"
#include "tests/closing/support/closing_page.h"
#include "tests/closing/support/modal_answers.h"
#include "tests/closing/support/print_queues.h"
#include "tests/closing/support/summary_fixture.h"
#include "transmission/window/transmitir.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

// The closing window as the main window opens it, connected to a copy of a company whose daily summary
// holds the known day.
namespace quelmaro {
namespace {

using platform::MessageKind;

const QTime kPrintTime(18, 30, 5);

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class ClosingWindow : public testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settings.path());
        QDir().mkpath(settings.filePath(QStringLiteral("Qor")));
        writeFile(settings.filePath(QStringLiteral("Qor/Norvaneerp2019.ini")),
                  "[General]\nDirectorio=" + applicationDirectory.path().toUtf8() + "\n");
        test::copyKnownDayCompany(companies);
        writeFile(applicationDirectory.filePath(QStringLiteral("SERVIDORES.cfg")),
                  companies.root().toUtf8() + "\r\n");
        writeFile(applicationDirectory.filePath(QStringLiteral("impresoras.cfg")),
                  "CIERRE," + test::PrintQueue::shared().name.toUtf8() + "\n");

        main = std::make_unique<Tfquelmaro>(QStringList());
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
        main->Tusua->setText(QStringLiteral("SYSDBA"));
        main->TClave->setText(QStringLiteral("masterkey"));
        main->Cia->setText(QStringLiteral("01"));
        main->CiaExit();
        ASSERT_TRUE(dataModule.Norvane.isOpen());
        main->EFecIni->setDate(test::kKnownDay);
        setPreviewChoice("SI");
    }

    void sql(const QString& statement, const QList<Value>& params = {}) {
        dataModule.Norvane.execute(statement, params);
    }
    void setPreviewChoice(const char* value) {
        sql(QStringLiteral("update configuracion set conf_valor = ? where conf_propiedad = ?"),
            {QString::fromLatin1(value), QStringLiteral("PREVISUALIZAR IMPRESION DE DOCUMENTOS")});
    }
    std::unique_ptr<Tfcierre> openClosingWindow() {
        auto window = std::make_unique<Tfcierre>(main.get());
        fcierre = window.get();
        return window;
    }
    QList<int> points(Tfcierre& window) {
        QList<int> numbers;
        RecordSet& rows = window.CImpfactura;
        if (rows.isOpen())
            for (rows.first(); !rows.eof(); rows.next())
                numbers << int(rows.value(QStringLiteral("PTOVTA")).toInt());
        return numbers;
    }
    QStringList errorsShown() const {
        QStringList texts;
        for (const platform::RecordedMessage& message : messages.recorded())
            if (message.kind == MessageKind::Error)
                texts << message.text;
        return texts;
    }
    QString errorLog() const {
        QFile log(applicationDirectory.filePath(QStringLiteral("ERRORES.TXT")));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }
    // Cancels the setup dialog that the print command offers with "SI": the print command ran, nothing
    // printed.
    static test::ModalAnswers::Answer cancelSetup() {
        return {"quelmaro::TdtSetupForm", [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }};
    }

    // Keys as the operator presses them on the main window: to its focused field.
    void pressOnMainWindow(Qt::Key key) {
        QTest::keyClick(main->focusWidget() ? main->focusWidget() : main.get(), key);
    }

    platform::ScopedRecording messages;
    platform::FixedClock clock{QDateTime(test::kKnownDay, kPrintTime)};
    test::TempDir settings;
    test::TempDir applicationDirectory;
    test::CompanyRoot companies;
    Tfdm dataModule;
    std::unique_ptr<Tfquelmaro> main;
};

TEST_F(ClosingWindow, CreatedWithTheDaysRows) {
    const auto window = openClosingWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Imprimir cierre"));
    EXPECT_EQ(window->size(), QSize(324, 140));
    EXPECT_EQ(window->Label1->text(),
              QStringLiteral("Prepare la impresora y presione Imprimir para generar el cierre"));
    EXPECT_EQ(window->SpeedButton1->text(), QStringLiteral("F2: Imprimir"));
    EXPECT_EQ(window->SpeedButton2->text(), QStringLiteral("ESC: Salir"));
    EXPECT_EQ(window->CImpfactura.value(QStringLiteral("Iva16Total")), Value(Fixed::fromInt(10)));
    EXPECT_EQ(points(*window), QList<int>({1, 2, 3}));
    EXPECT_TRUE(messages.recorded().isEmpty());
}

struct RangeCase {
    const char* ptoini;
    const char* ptofin;
    const char* shownIni;
    const char* shownFin;
    QList<int> points;
};

// The range is completed on the main window, where the operator sees it, and asked of the database.
TEST_F(ClosingWindow, PointsOfSaleCompletedOnTheMainWindow) {
    const RangeCase cases[] = {
        {"", "", "0", "99999", {1, 2, 3}},
        {"2", "999999", "2", "99999", {2, 3}},
        {"1", "9999A", "1", "99999", {1, 2, 3}},
        {"1", "100000", "1", "100000", {1, 2, 3}},
        {"2", "2", "2", "2", {2}},
    };
    for (const RangeCase& c : cases) {
        main->Ptoini->setText(QLatin1String(c.ptoini));
        main->Ptofin->setText(QLatin1String(c.ptofin));
        const auto window = openClosingWindow();
        EXPECT_EQ(main->Ptoini->text(), QLatin1String(c.shownIni)) << c.ptoini << ".." << c.ptofin;
        EXPECT_EQ(main->Ptofin->text(), QLatin1String(c.shownFin)) << c.ptoini << ".." << c.ptofin;
        EXPECT_EQ(points(*window), c.points) << c.ptoini << ".." << c.ptofin;
    }
}

TEST_F(ClosingWindow, BranchChosenOnTheMainWindow) {
    main->agencia = QStringLiteral("2");
    EXPECT_EQ(points(*openClosingWindow()), QList<int>({2}));
    main->agencia = QStringLiteral("0");
    EXPECT_EQ(points(*openClosingWindow()), QList<int>({1, 2, 3}));
}

// Typed points of sale are bound as numbers: a text that is none is reported, and nothing runs.
TEST_F(ClosingWindow, TypedTextThatIsNoNumberIsReportedAndTheWindowOpensWithoutRows) {
    main->Ptoini->setText(QStringLiteral("1;drop"));
    const auto window = openClosingWindow();
    EXPECT_FALSE(window->CImpfactura.isOpen());
    EXPECT_EQ(errorsShown(), QStringList({QStringLiteral(
                                 "Se presento el siguiente error: '1;drop' no es un número entero válido")}));
    EXPECT_TRUE(errorLog().contains(QStringLiteral("'1;drop' no es un número entero válido")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Imprimir cierre"));
}

TEST_F(ClosingWindow, FailedQueryIsReportedAndTheWindowOpensWithoutRows) {
    sql(QStringLiteral("drop procedure resumen_dia"));
    const auto window = openClosingWindow();
    EXPECT_FALSE(window->CImpfactura.isOpen());
    ASSERT_EQ(errorsShown().size(), 1);
    EXPECT_TRUE(
        errorsShown().front().startsWith(QStringLiteral("Se presento el siguiente error: Database error:")))
        << errorsShown().front().toStdString();

    // Printing then says why there is nothing to print, in the operator's words.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    {
        test::ModalAnswers answers(
            {{"quelmaro::TdtSetupForm", [](QWidget* dialog) {
                  dialog->findChild<QRadioButton*>(QStringLiteral("PreviewRB"))->click();
                  dialog->findChild<QPushButton*>(QStringLiteral("bbtnOK"))->click();
              }}});
        QTest::keyClick(window.get(), Qt::Key_F2);
    }
    ASSERT_EQ(errorsShown().size(), 2);
    EXPECT_EQ(errorsShown().back(), QStringLiteral("Se presento el siguiente error: No se pudieron leer las "
                                                   "ventas del día: no hay cierre que imprimir."));
}

// The keys act before the window's controls; F2 and Enter run the print command, which here offers the
// setup dialog; after it the window closes.
TEST_F(ClosingWindow, KeysAndButtons) {
    const std::vector<std::pair<const char*, std::function<void(Tfcierre&)>>> printing = {
        {"F2", [](Tfcierre& w) { QTest::keyClick(&w, Qt::Key_F2); }},
        {"Enter", [](Tfcierre& w) { QTest::keyClick(&w, Qt::Key_Return); }},
        {"keypad Enter", [](Tfcierre& w) { QTest::keyClick(&w, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"button", [](Tfcierre& w) { QTest::mouseClick(w.SpeedButton1, Qt::LeftButton); }},
    };
    for (const auto& [how, press] : printing) {
        const auto window = openClosingWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        {
            test::ModalAnswers answers({cancelSetup()});
            press(*window);
        }
        EXPECT_FALSE(window->isVisible()) << how;
    }
    const std::vector<std::pair<const char*, std::function<void(Tfcierre&)>>> closing = {
        {"Esc", [](Tfcierre& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"button", [](Tfcierre& w) { QTest::mouseClick(w.SpeedButton2, Qt::LeftButton); }},
    };
    for (const auto& [how, press] : closing) {
        const auto window = openClosingWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        press(*window);
        EXPECT_FALSE(window->isVisible()) << how;
        EXPECT_FALSE(window->CFormato.isOpen());
    }
    // With Shift, Ctrl or Alt held the keys do nothing.
    const auto window = openClosingWindow();
    window->show();
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        QTest::keyClick(window.get(), Qt::Key_F2, modifier);
        QTest::keyClick(window.get(), Qt::Key_Escape, modifier);
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->ReportJob1.pageStore().pageCount(), 0);
}

TEST_F(ClosingWindow, SetupClosedWithItsCloseBoxClosesTheWindowWithoutOutput) {
    const auto window = openClosingWindow();
    {
        test::ModalAnswers answers(
            {{"quelmaro::Tfcierre", [](QWidget* w) { QTest::keyClick(w, Qt::Key_F2); }},
             {"quelmaro::TdtSetupForm", [](QWidget* dialog) { dialog->close(); }}});
        window->exec();
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->ReportJob1.pageStore().pageCount(), 0);
}

// An error of the run leaves the window open, so the operator can print again or leave.
TEST_F(ClosingWindow, ErrorDuringTheRunLeavesTheWindowOpen) {
    setPreviewChoice("NO");
    sql(QStringLiteral("update formato_lineas set foli_imagen = ? where tido_cod = 131 and foli_tipo = 'G'"),
        {QByteArray("no es un mapa de bits")});
    const auto window = openClosingWindow();
    bool openAfterTheError = false;
    {
        test::ModalAnswers answers({{"quelmaro::Tfcierre", [&](QWidget* w) {
                                         QTest::keyClick(w, Qt::Key_F2);
                                         openAfterTheError = w->isVisible();
                                         QTest::keyClick(w, Qt::Key_Escape);
                                     }}});
        window->exec();
    }
    EXPECT_TRUE(openAfterTheError);
    ASSERT_EQ(errorsShown().size(), 1);
    EXPECT_TRUE(errorsShown().front().startsWith(QStringLiteral("Se presento el siguiente error: ")));
    EXPECT_FALSE(errorLog().isEmpty());
}

TEST_F(ClosingWindow, NoFormatClosesTheWindowWithItsMessage) {
    for (const char* table : {"formato_datos", "formato_lineas", "formatos"})
        sql(QStringLiteral("delete from %1 where tido_cod = 131").arg(QLatin1String(table)));
    const auto window = openClosingWindow();
    {
        test::ModalAnswers answers(
            {{"quelmaro::Tfcierre", [](QWidget* w) { QTest::keyClick(w, Qt::Key_F2); }}});
        window->exec();
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(messages.recorded(),
              QList<platform::RecordedMessage>(
                  {{MessageKind::Information, "No se encontró el formato de impresión."}}));
}

// F2 on the main window, F2 in the closing window: the page on the queue impresoras.cfg names, every figure
// where the format puts it, and then the program ends.
TEST_F(ClosingWindow, F2OnTheMainWindowPrintsTheDayAndEndsTheProgram) {
    const test::PrintQueue queue = test::PrintQueue::shared();
    if (queue.name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(queue.name))
        GTEST_SKIP() << "no test print queue; scripts/services.sh starts one";
    setPreviewChoice("NO");
    main->Tusua->setText(QStringLiteral("sysdba"));
    queue.clear();
    {
        test::ModalAnswers answers(
            {{"quelmaro::Tfcierre", [](QWidget* w) { QTest::keyClick(w, Qt::Key_F2); }}});
        pressOnMainWindow(Qt::Key_F2);
    }
    EXPECT_TRUE(messages.recorded().isEmpty());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(fcierre, nullptr);
    const std::vector<test::PdfPage> pages = queue.printedPages();
    ASSERT_EQ(pages.size(), 1u);
    // The format prints all 54 header data and 45 data for each of the three points of sale.
    EXPECT_EQ(test::expectClosingPage(pages[0], dataModule.Norvane,
                                      {test::kKnownDay, 0, 99999, 0, QStringLiteral("sysdba"), kPrintTime}),
              54u + 3 * 45);
}

// A transmission that stops halfway has pointed the shared connection at the central company. F2 afterwards
// still prints the store's figures, not the central company's under the store's name.
TEST_F(ClosingWindow, F2OnTheMainWindowAfterAnUnfinishedTransmissionPrintsTheStoresFigures) {
    const test::PrintQueue queue = test::PrintQueue::shared();
    if (queue.name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(queue.name))
        GTEST_SKIP() << "no test print queue; scripts/services.sh starts one";
    {
        // The central company has other figures for the day, and no rounding setting: the run stops there.
        const auto central = test::openDatabase(test::copyKnownDayCompany(companies, QStringLiteral("00")));
        central->execute(QStringLiteral("update filas_resumen set vtacontdia = 987"));
        central->execute(QStringLiteral("delete from configuracion where conf_propiedad = ?"),
                         {QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES")});
    }
    setPreviewChoice("NO");
    main->Tusua->setText(QStringLiteral("sysdba"));
    {
        test::ModalAnswers answers({{"quelmaro::Tftransmitir", [](QWidget* w) {
                                         auto& window = static_cast<Tftransmitir&>(*w);
                                         window.Tuser->setText(QStringLiteral("SYSDBA"));
                                         window.TClaveD->setText(QStringLiteral("masterkey"));
                                         window.CiaD->setText(QStringLiteral("00"));
                                         QTest::keyClick(w, Qt::Key_F5);
                                         QTest::keyClick(w, Qt::Key_Escape);
                                     }}});
        pressOnMainWindow(Qt::Key_F5);
    }
    ASSERT_TRUE(main->isVisible());
    ASSERT_FALSE(errorsShown().isEmpty()) << "the run stopped at the central company";
    const qsizetype reported = messages.recorded().size();
    queue.clear();
    {
        test::ModalAnswers answers(
            {{"quelmaro::Tfcierre", [](QWidget* w) { QTest::keyClick(w, Qt::Key_F2); }}});
        pressOnMainWindow(Qt::Key_F2);
    }
    EXPECT_EQ(messages.recorded().size(), reported);
    const std::vector<test::PdfPage> pages = queue.printedPages();
    ASSERT_EQ(pages.size(), 1u);
    const auto store = test::openDatabase(companies.database(QStringLiteral("01")));
    EXPECT_EQ(test::expectClosingPage(pages[0], *store,
                                      {test::kKnownDay, 0, 99999, 0, QStringLiteral("sysdba"), kPrintTime}),
              54u + 3 * 45);
    EXPECT_EQ(test::findWord(pages[0], QStringLiteral("987.00")), nullptr);
}

} // namespace
} // namespace quelmaro
