#include "tests/report/report_test_support.h"
#include "tests/shell/shell_environment.h"
#include "tests/shell/text_fit.h"

#include "closing/window/cierre.h"
#include "platform/caption_fit.h"
#include "platform/clock.h"
#include "report/preview/preview_form.h"
#include "report/report_job.h"
#include "report/setup/setup_form.h"
#include "report/status_window.h"
#include "transmission/window/transmitir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace quelmaro;
using namespace quelmaro::test;

namespace {

// Shows a window as the operator sees it and expects every text in it whole.
void expectWhole(QWidget& window, const QString& name) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    saveScreenshot(window, name);
    EXPECT_EQ(cutTexts(window).join(u'\n').toStdString(), "") << name.toStdString();
}

// Every window and dialog of the program, connected to the demo company and filled with the longest texts
// they show: nothing is cut, nothing sits on a frame.
TEST(WindowTexts, EveryWindowShowsItsTextsWhole) {
    platform::FixedClock clock{QDateTime(QDate(2024, 12, 28), QTime(18, 30))};
    ShellEnvironment environment;
    const auto main = environment.showMainWindow();
    main->Tusua->setText(QStringLiteral("SYSDBA"));
    main->TClave->setText(QStringLiteral("masterkey"));
    main->Cia->setText(QStringLiteral("01"));
    main->CiaExit();
    ASSERT_TRUE(environment.dataModule.Norvane.isOpen());
    main->Ptoini->setText(QStringLiteral("0"));
    main->Ptofin->setText(QStringLiteral("999999"));
    main->CboAgencia->setCurrentIndex(main->CboAgencia->count() - 1);
    expectWhole(*main, QStringLiteral("resumen-diario"));
    const QString longestDatabase = main->Servidor->currentText() + QStringLiteral("/datos/01/norvane.fdb");
    platform::setWrappedCaption(*main->Panel5,
                                QStringLiteral("Conectando a la base de datos ") + longestDatabase + " ...");
    main->Panel5->show();
    expectWhole(*main, QStringLiteral("resumen-diario-conectando"));
    main->Panel5->hide();

    Tfcierre closing(main.get());
    expectWhole(closing, QStringLiteral("imprimir-cierre"));
    closing.hide();

    Tftransmitir transmission(main.get());
    expectWhole(transmission, QStringLiteral("envio-resumen-diario"));
    platform::setWrappedCaption(*transmission.Panel5,
                                QStringLiteral("Conectando a ") + longestDatabase + QStringLiteral(" ..."));
    transmission.Panel5->show();
    expectWhole(transmission, QStringLiteral("envio-resumen-diario-conectando"));
    platform::setWrappedCaption(*transmission.Panel5, QStringLiteral("Enviando ventas punto ALMACEN CENTRO "
                                                                     "PUNTO 1 Fecha:2024/12/28 ..."));
    expectWhole(transmission, QStringLiteral("envio-resumen-diario-enviando"));
    transmission.hide();

    TReportJob job;
    TdtSetupForm setup;
    setup.ReportSystem = &job;
    setup.setWindowTitle(QStringLiteral("Opciones"));
    expectWhole(setup, QStringLiteral("opciones"));
    setup.hide();

    PageStore pages = samplePageStore(3);
    TFormMyPreview preview;
    preview.ReportSystem = &job;
    preview.setWindowState(Qt::WindowNoState);
    preview.setWindowTitle(QStringLiteral("Vista preliminar"));
    preview.PreviewStream = &pages;
    preview.StartPreview();
    expectWhole(preview, QStringLiteral("vista-preliminar"));
    preview.hide();

    StatusWindow status(QStringLiteral("Estado"));
    status.setStatus(QStringLiteral("Generating page 999"));
    expectWhole(status, QStringLiteral("estado"));
}

} // namespace
