#include "tests/shell/modal_closer.h"
#include "tests/shell/shell_environment.h"

#include "data/recordset/recordset.h"
#include "platform/clock.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quelmaro;
using namespace quelmaro::test;

namespace {

const QDateTime kNow(QDate(2024, 3, 1), QTime(18, 30, 5));

QStringList items(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

// Fills the origin fields and leaves Cia with Enter, as the operator does.
void connectTo(Tfquelmaro& window, const QString& company, const QString& user = QStringLiteral("SYSDBA"),
               const QString& password = QStringLiteral("masterkey")) {
    window.Tusua->setText(user);
    window.TClave->setText(password);
    window.Cia->setText(company);
    window.Cia->setFocus();
    QTest::keyClick(window.Cia, Qt::Key_Return);
}

class Connection : public testing::Test {
protected:
    platform::FixedClock clock{kNow};
    ShellEnvironment environment;
    std::unique_ptr<Tfquelmaro> window = environment.showMainWindow();
};

TEST_F(Connection, LeavingCiaConnectsAndFillsTheParameters) {
    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->SpeedButton3->isEnabled(); }));

    Tfdm& dm = environment.dataModule;
    EXPECT_TRUE(dm.Norvane.isOpen());
    EXPECT_EQ(dm.Norvane.parameter("Database"), sharedCompanies().database("01"));
    EXPECT_EQ(dm.Norvane.parameter("User_Name"), "SYSDBA");
    EXPECT_TRUE(window->EFecIni->isEnabled());
    EXPECT_TRUE(window->EFecfin->isEnabled());
    EXPECT_EQ(window->EFecIni->date(), kNow.date());
    EXPECT_EQ(window->EFecfin->date(), kNow.date());
    EXPECT_EQ(items(*window->CboAgencia), QStringList({"Todas", "ALMACEN CENTRO", "ALMACEN NORTE"}));
    EXPECT_EQ(window->CboAgencia->currentText(), "Todas");
    EXPECT_EQ(window->agencia, "0");
    EXPECT_TRUE(window->SpeedButton1->isEnabled());
    EXPECT_FALSE(window->Panel5->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), window->EFecIni);
    EXPECT_FALSE(dm.modoClientes);
    EXPECT_EQ(window->CSubemp->packetRecords(), 1000);
    EXPECT_TRUE(environment.messages.recorded().isEmpty());

    window->close();
    EXPECT_FALSE(window->CSubemp->isOpen());
}

TEST_F(Connection, AnotherCompanyReconnectsAndRefills) {
    CompanyRoot companies;
    demo::copyInto(companies);
    openDatabase(companies.database("00"))
        ->execute("insert into sucursales (sucu_id, sucu_nombre) values (7, 'ALMACEN SUR')");
    environment.writeServerList(companies.root().toUtf8() + "\r\n");
    window = environment.showMainWindow();

    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->CboAgencia->count() == 3; }));
    window->EFecIni->setDate(QDate(2020, 1, 1));
    window->CboAgencia->setCurrentIndex(2);
    window->agencia = "2";

    connectTo(*window, "00");
    ASSERT_TRUE(waitFor([&] { return window->CboAgencia->count() == 4; }));
    EXPECT_EQ(environment.dataModule.Norvane.parameter("Database"), companies.database("00"));
    EXPECT_EQ(items(*window->CboAgencia),
              QStringList({"Todas", "ALMACEN CENTRO", "ALMACEN NORTE", "ALMACEN SUR"}));
    EXPECT_EQ(window->CboAgencia->currentIndex(), 0);
    EXPECT_EQ(window->EFecIni->date(), kNow.date());
    EXPECT_EQ(window->agencia, "0");
}

TEST_F(Connection, PickingABranchSetsAgencia) {
    connectTo(*window, "00");
    ASSERT_TRUE(waitFor([&] { return window->CboAgencia->count() == 3; }));
    struct Pick {
        int index;
        QString agencia;
    };
    for (const Pick& pick : {Pick{2, "2"}, Pick{0, "0"}, Pick{1, "1"}}) {
        window->CboAgencia->setFocus();
        window->CboAgencia->showPopup();
        QAbstractItemView* view = window->CboAgencia->view();
        view->setCurrentIndex(view->model()->index(pick.index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_EQ(window->agencia, pick.agencia) << pick.index;
    }
}

TEST_F(Connection, TwoBranchesOfTheSameNameGiveTheFirst) {
    CompanyRoot companies;
    demo::copyInto(companies);
    openDatabase(companies.database("01"))
        ->execute("insert into sucursales (sucu_id, sucu_nombre) values (9, 'ALMACEN CENTRO')");
    environment.writeServerList(companies.root().toUtf8() + "\r\n");
    window = environment.showMainWindow();
    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->CboAgencia->count() == 4; }));
    window->CboAgencia->setCurrentIndex(3);
    emit window->CboAgencia->activated(3);
    EXPECT_EQ(window->CboAgencia->currentText(), "ALMACEN CENTRO");
    EXPECT_EQ(window->agencia, "1");
}

// The window's own lookup reads the company it connected to, for the closing and transmission windows.
TEST_F(Connection, ConfigurationOfTheConnectedCompany) {
    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->SpeedButton3->isEnabled(); }));
    EXPECT_EQ(window->configuracion("FACTURACION", "DOCUMENTOS", "REDONDEO AL MULTIPLO DE DIEZ EN TOTALES"),
              "-2");
    EXPECT_EQ(window->configuracion("FACTURACION", "GENERAL", "NO EXISTE"), "");
    EXPECT_EQ(environment.messages.recorded(),
              QList<platform::RecordedMessage>(
                  {{platform::MessageKind::Error, "No se encontró la configuración NO EXISTE"}}));
}

// A failed connection leaves nothing of the attempt: no busy panel over the fields to correct, no F2 or F5
// (neither button nor key) until a connection succeeds, and the focus on the company that does not exist.
TEST_F(Connection, FailedConnectionLeavesNothingStale) {
    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->SpeedButton3->isEnabled(); }));
    connectTo(*window, "07");
    const QString path = sharedCompanies().root() + "/datos/07/norvane.fdb";
    ASSERT_TRUE(waitFor([&] { return !environment.messages.recorded().isEmpty(); }));
    EXPECT_EQ(errorsShown(environment.messages), QStringList{"No se encontró el archivo o la ruta " + path});
    EXPECT_EQ(environment.messages.recorded().first().kind, platform::MessageKind::Beep);
    EXPECT_FALSE(window->Panel5->isVisible());
    EXPECT_FALSE(window->SpeedButton3->isEnabled());
    EXPECT_FALSE(window->SpeedButton1->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window->Cia);
    EXPECT_EQ(window->Cia->selectedText(), "07");
    EXPECT_FALSE(environment.dataModule.Norvane.isOpen());
    {
        const ModalCloser closer;
        for (const Qt::Key key : {Qt::Key_F2, Qt::Key_F5})
            QTest::keyClick(window->Cia, key);
        QTest::qWait(50);
        EXPECT_TRUE(closer.closed().isEmpty());
    }
    EXPECT_EQ(errorsShown(environment.messages).size(), 1);
    // The raw client text, one line, in the log.
    const QString log = environment.errorLog();
    EXPECT_TRUE(log.startsWith(
        "2024/03/01,18:30:05,,Database error: I/O error during \"open\" operation for file \"" + path +
        "\" -"))
        << log.toStdString();
    EXPECT_EQ(log.count("\r\n"), 1);

    // A later connection that succeeds gives F2 and F5 back.
    connectTo(*window, "01");
    ASSERT_TRUE(waitFor([&] { return window->SpeedButton3->isEnabled(); }));
    EXPECT_TRUE(window->SpeedButton1->isEnabled());
    EXPECT_FALSE(window->Panel5->isVisible());
    const ModalCloser closer;
    QTest::keyClick(window->EFecIni, Qt::Key_F5);
    EXPECT_EQ(closer.closed(), QStringList{"Tftransmitir: Envio resumen diario"});
}

struct FailureCase {
    const char* name;
    QByteArray server;
    QString password;
    QString shown;
    const char* focused; // the field to correct
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

class ConnectionFailure : public testing::TestWithParam<FailureCase> {};

// The client's own error, translated for the operator, and the focus on the field to correct.
TEST_P(ConnectionFailure, IsShownInSpanishAndPointsAtTheField) {
    ShellEnvironment environment;
    environment.writeServerList(GetParam().server.isNull() ? QByteArray() : GetParam().server + "\n");
    const auto window = environment.showMainWindow();
    connectTo(*window, "01", "SYSDBA", GetParam().password);
    ASSERT_TRUE(waitFor([&] { return !errorsShown(environment.messages).isEmpty(); }));
    EXPECT_EQ(errorsShown(environment.messages), QStringList{GetParam().shown});
    EXPECT_FALSE(environment.dataModule.Norvane.isOpen());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(GetParam().focused));
}

INSTANTIATE_TEST_SUITE_P(
    Client, ConnectionFailure,
    testing::Values(FailureCase{"NoServerList", QByteArray(), "masterkey",
                                "No se encontró el archivo o la ruta /datos/01/norvane.fdb", "Servidor"},
                    FailureCase{"WrongPassword", "localhost:/quelmaro/norvane", "no-es-la-clave",
                                "El nombre de Usuario o la clave son incorrectas.", "TClave"},
                    FailureCase{"UnknownHost", "srv-quelmaro.invalid:/norvane", "masterkey",
                                "No se encontró el equipo servidor con nombre srv-quelmaro.invalid",
                                "Servidor"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(Connection, EmptyFieldsDoNothing) {
    for (const auto& [user, password, company] :
         {std::tuple("SYSDBA", "", "01"), std::tuple("", "x", "01"), std::tuple("SYSDBA", "x", "")}) {
        connectTo(*window, company, user, password);
        QTest::qWait(20);
        EXPECT_FALSE(window->Panel5->isVisible());
        EXPECT_FALSE(environment.dataModule.Norvane.isOpen());
    }
    EXPECT_TRUE(environment.messages.recorded().isEmpty());
}

} // namespace
