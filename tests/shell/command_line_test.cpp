#include "tests/shell/modal_closer.h"
#include "tests/shell/shell_environment.h"

#include "platform/clock.h"

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

const QDateTime kNow(QDate(2024, 3, 1), QTime(7, 0, 0));
const QStringList kTransmissionWindow = {"Tftransmitir: Envio resumen diario"};

// Origin on the shared companies, destination "srvd", branch 2, and the given run mode and argument 11.
QStringList commandLine(const QString& company, const QString& runMode, const QString& dayOrCustomers) {
    return {sharedCompanies().root(),
            "SYSDBA",
            "masterkey",
            company,
            "srvd",
            "userd",
            "clave-d",
            "00",
            "2",
            runMode,
            dayOrCustomers};
}

class CommandLineStart : public testing::Test {
protected:
    platform::FixedClock clock{kNow};
    ShellEnvironment environment;
    ModalCloser closer;

    std::unique_ptr<Tfquelmaro> start(const QStringList& arguments) {
        auto window = environment.showMainWindow(arguments);
        QTest::qWait(50); // the start runs right after the activation, to its end
        return window;
    }
};

struct DayCase {
    const char* name;
    QString argument;
    QDate day;
    bool customerMode;
};

void PrintTo(const DayCase& c, std::ostream* out) {
    *out << c.name;
}

class CommandLineDay : public CommandLineStart, public testing::WithParamInterface<DayCase> {};

TEST_P(CommandLineDay, FillsTheWindowAndConnects) {
    const auto window = start(commandLine("00", "2", GetParam().argument));
    EXPECT_TRUE(environment.messages.recorded().isEmpty());
    EXPECT_TRUE(environment.dataModule.Norvane.isOpen());
    EXPECT_EQ(window->Servidor->count(), 1);
    EXPECT_EQ(window->Servidor->currentText(), sharedCompanies().root());
    EXPECT_EQ(window->servidores, QStringList{sharedCompanies().root()});
    EXPECT_EQ(window->Tusua->text(), "SYSDBA");
    EXPECT_EQ(window->TClave->text(), "masterkey");
    EXPECT_EQ(window->Cia->text(), "00");
    EXPECT_EQ(window->EFecIni->date(), GetParam().day);
    EXPECT_EQ(window->EFecfin->date(), GetParam().day);
    EXPECT_EQ(environment.dataModule.modoClientes, GetParam().customerMode);
    EXPECT_EQ(window->agencia, "2");
    EXPECT_EQ(window->CboAgencia->currentText(), "Todas");
    EXPECT_EQ(window->servidorDestino, "srvd");
    EXPECT_EQ(window->usuarioDestino, "userd");
    EXPECT_EQ(window->claveDestino, "clave-d");
    EXPECT_EQ(window->ciaDestino, "00");
    EXPECT_EQ(window->modoEnvio, "2");
    EXPECT_TRUE(closer.closed().isEmpty()); // run modes other than "1" leave F5 to the operator
}

INSTANTIATE_TEST_SUITE_P(Argument11, CommandLineDay,
                         testing::Values(DayCase{"Day", "2020/01/24", QDate(2020, 1, 24), false},
                                         DayCase{"DayWithoutLeadingZeros", "2020/1/4", QDate(2020, 1, 4),
                                                 false},
                                         DayCase{"Customers", "CLI", kNow.date(), true}),
                         [](const testing::TestParamInfo<DayCase>& info) { return info.param.name; });

TEST_F(CommandLineStart, RunModeOneTransmitsAtOnce) {
    const auto window = start(commandLine("01", "1", "2024/02/29"));
    ASSERT_TRUE(waitFor([&] { return !closer.closed().isEmpty(); }));
    EXPECT_EQ(closer.closed(), kTransmissionWindow);
    EXPECT_EQ(environment.dataModule.agencia, "2");
    EXPECT_TRUE(window->isVisible()); // the transmission window was closed without the OK result
}

struct BadStartCase {
    const char* name;
    QStringList arguments;
    QString shown;
    bool connected;
};

void PrintTo(const BadStartCase& c, std::ostream* out) {
    *out << c.name;
}

class CommandLineFailure : public CommandLineStart, public testing::WithParamInterface<BadStartCase> {};

// The error is reported, nothing is transmitted, and the window stays for the operator.
TEST_P(CommandLineFailure, IsReportedAndStaysInteractive) {
    const auto window = start(GetParam().arguments);
    EXPECT_EQ(errorsShown(environment.messages), QStringList{GetParam().shown});
    EXPECT_EQ(environment.dataModule.Norvane.isOpen(), GetParam().connected);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->modoEnvio.isEmpty() || GetParam().connected);
    QTest::qWait(50);
    EXPECT_TRUE(closer.closed().isEmpty());
    EXPECT_TRUE(environment.errorLog().contains(",," + GetParam().shown.section(": ", 1)))
        << environment.errorLog().toStdString();
}

QStringList withoutDay() {
    QStringList arguments = commandLine("01", "1", "");
    arguments.removeLast();
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, CommandLineFailure,
    testing::Values(BadStartCase{"MissingDay", withoutDay(),
                                 "Se presento el siguiente error: '' no es una fecha válida", true},
                    BadStartCase{"EmptyDay", commandLine("01", "1", ""),
                                 "Se presento el siguiente error: '' no es una fecha válida", true},
                    BadStartCase{"NoSuchDay", commandLine("01", "1", "2024/02/30"),
                                 "Se presento el siguiente error: '2024/02/30' no es una fecha válida", true},
                    BadStartCase{"NoSuchCompany", commandLine("99", "1", "CLI"),
                                 "No se encontró el archivo o la ruta " + sharedCompanies().database("99"),
                                 false}),
    [](const testing::TestParamInfo<BadStartCase>& info) { return info.param.name; });

TEST_F(CommandLineStart, BadDayStopsTheConnectionStep) {
    const auto window = start(commandLine("01", "2", "24/02/2024"));
    EXPECT_TRUE(window->Panel5->isVisible());
    EXPECT_FALSE(window->SpeedButton1->isEnabled());
    EXPECT_EQ(window->CboAgencia->count(), 0);
    EXPECT_TRUE(window->ciaDestino.isEmpty());
}

TEST_F(CommandLineStart, WithoutRunModeNothingHappens) {
    const auto window = start(commandLine("01", "", "CLI"));
    EXPECT_TRUE(environment.messages.recorded().isEmpty());
    EXPECT_FALSE(environment.dataModule.Norvane.isOpen());
    EXPECT_TRUE(window->Tusua->text().isEmpty());
    EXPECT_EQ(window->Servidor->currentText(), sharedCompanies().root());
}

TEST_F(CommandLineStart, RunsOnceAlthoughTheWindowIsActivatedAgain) {
    const auto window = start(commandLine("99", "1", "CLI"));
    ASSERT_EQ(errorsShown(environment.messages).size(), 1);
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(50);
    EXPECT_EQ(errorsShown(environment.messages).size(), 1);
}

// Argument 11 counts in interactive use as well: every connection step reads it.
TEST_F(CommandLineStart, DayArgumentAppliesToEveryConnection) {
    const QStringList onlyTheDay = {"", "", "", "", "", "", "", "", "", "", "2020/01/24"};
    const auto window = start(onlyTheDay);
    window->Tusua->setText("SYSDBA");
    window->TClave->setText("x");
    window->Cia->setText("01");
    window->Cia->setFocus();
    QTest::keyClick(window->Cia, Qt::Key_Tab);
    ASSERT_TRUE(waitFor([&] { return window->SpeedButton3->isEnabled(); }));
    EXPECT_EQ(window->EFecIni->date(), QDate(2020, 1, 24));
    EXPECT_EQ(window->EFecfin->date(), QDate(2020, 1, 24));
    EXPECT_FALSE(environment.dataModule.modoClientes);
    EXPECT_TRUE(window->modoEnvio.isEmpty());
}

} // namespace
