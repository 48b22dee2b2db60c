// The transmission window as the operator uses it: its controls, keys, check boxes and the end of a run.
#include "tests/transmission/window/window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QToolButton>

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

const RecordedMessage kCompleted{MessageKind::Information,
                                 QStringLiteral("Envio de resumen de ventas completado con éxito.")};

QCheckBox* checkBox(Tftransmitir& window, const char* name) {
    return window.findChild<QCheckBox*>(QString::fromLatin1(name));
}

using TransmissionWindowTest = WindowFixture;

TEST_F(TransmissionWindowTest, OpensEmptyOnTheServerListWithF5Disabled) {
    Tftransmitir& w = openWindow();

    EXPECT_EQ(w.windowTitle(), QStringLiteral("Envio resumen diario"));
    EXPECT_EQ(w.size(), QSize(374, 194));
    EXPECT_EQ(w.GroupBox1->title(), QStringLiteral("Destino:"));
    EXPECT_EQ(w.Server->count(), 2);
    EXPECT_EQ(w.Server->currentText(), QStringLiteral("localhost:/nowhere"));
    EXPECT_TRUE(w.Tuser->text().isEmpty());
    EXPECT_TRUE(w.TClaveD->text().isEmpty());
    EXPECT_TRUE(w.CiaD->text().isEmpty());
    EXPECT_EQ(w.TClaveD->echoMode(), QLineEdit::Password);
    EXPECT_EQ(w.CiaD->width(), 45);
    EXPECT_EQ(w.SpeedButton1->text(), QStringLiteral("F5: Transmitir"));
    EXPECT_FALSE(w.SpeedButton1->isEnabled());
    EXPECT_EQ(w.SpeedButton2->text(), QStringLiteral("Esc: Cancelar"));
    EXPECT_TRUE(w.Panel5->isHidden());
}

struct Box {
    const char* name;
    const char* caption;
    bool checked;
};

// The case by its name, in test lists too.
void PrintTo(const Box& c, std::ostream* out) {
    *out << c.name;
}

class CheckBoxTest : public WindowFixture, public testing::WithParamInterface<Box> {};

TEST_P(CheckBoxTest, HasItsCaptionAndDefault) {
    QCheckBox* box = checkBox(openWindow(), GetParam().name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString::fromUtf8(GetParam().caption));
    EXPECT_EQ(box->isChecked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Boxes, CheckBoxTest,
                         testing::Values(Box{"ckvta", "Ventas", true}, Box{"ckrdc", "Recibos", true},
                                         Box{"ckcliente", "Clientes", false},
                                         Box{"cktrans", "Traslados", true}, Box{"ckEgre", "Egresos", true}),
                         [](const testing::TestParamInfo<Box>& info) { return info.param.name; });

// Whether the style draws the focus frame around the control that has the focus.
bool focusFrameDrawn(const QWidget& control) {
    QStyleOption option;
    option.initFrom(&control);
    return (option.state & QStyle::State_HasFocus) && (option.state & QStyle::State_KeyboardFocusChange);
}

TEST_F(TransmissionWindowTest, EnterMovesThroughTheControlsInTabOrder) {
    openWindow();
    showActive();
    ASSERT_EQ(QApplication::focusWidget(), window->Server) << "the window opens in its first field";

    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        visited.append(QApplication::focusWidget()->objectName());
        EXPECT_TRUE(focusFrameDrawn(*QApplication::focusWidget())) << visited.last().toStdString();
    }

    EXPECT_EQ(visited,
              (QStringList{"Tuser", "TClaveD", "CiaD", "ckvta", "ckrdc", "ckcliente", "cktrans", "ckEgre"}));
    EXPECT_TRUE(window->isVisible()); // Enter neither transmits nor closes
    EXPECT_TRUE(messages.recorded().isEmpty());
}

struct Destination {
    const char* name;
    const char* user;
    const char* password;
    const char* company;
    bool enabled;
};

// The case by its name, in test lists too.
void PrintTo(const Destination& c, std::ostream* out) {
    *out << c.name;
}

class LeavingCiaDTest : public WindowFixture, public testing::WithParamInterface<Destination> {};

TEST_P(LeavingCiaDTest, EnablesF5OnlyWithUserPasswordAndCompany) {
    openWindow();
    showActive();
    fillDestination(GetParam().user, GetParam().password, GetParam().company);
    window->CiaD->setFocus();

    QTest::keyClick(window->CiaD, Qt::Key_Return);

    EXPECT_EQ(window->SpeedButton1->isEnabled(), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Fields, LeavingCiaDTest,
                         testing::Values(Destination{"AllFilled", "SYSDBA", "clave", "00", true},
                                         Destination{"NoUser", "", "clave", "00", false},
                                         Destination{"NoPassword", "SYSDBA", "", "00", false},
                                         Destination{"NoCompany", "SYSDBA", "clave", "", false}),
                         [](const testing::TestParamInfo<Destination>& info) { return info.param.name; });

TEST_F(TransmissionWindowTest, NothingDisablesF5Again) {
    openWindow();
    showActive();
    fillDestination("SYSDBA", "clave", "00");
    window->CiaD->setFocus();
    QTest::keyClick(window->CiaD, Qt::Key_Tab);
    window->Tuser->clear();
    window->CiaD->setFocus();
    QTest::keyClick(window->CiaD, Qt::Key_Tab);

    EXPECT_TRUE(window->SpeedButton1->isEnabled());
}

TEST_F(TransmissionWindowTest, EscapeClosesTheWindowUnlessAModifierIsHeld) {
    openWindow();
    showActive();
    QSignalSpy finished(window.data(), &QDialog::finished);
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        QTest::keyClick(window->Tuser, Qt::Key_Escape, held);
    EXPECT_TRUE(window->isVisible());

    QTest::keyClick(window->Tuser, Qt::Key_Escape);

    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), int(QDialog::Rejected));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); })); // destroyed, not hidden
}

TEST_F(TransmissionWindowTest, F5TransmitsEvenWhileItsButtonIsDisabled) {
    connectOrigin();
    openWindow();
    showActive();
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        QTest::keyClick(window->Tuser, Qt::Key_F5, held);
    EXPECT_TRUE(window->Panel5->isHidden());

    QTest::keyClick(window->Tuser, Qt::Key_F5);

    // The run got as far as the destination, which refuses a connection without user or company.
    EXPECT_EQ(window->Panel5->text(),
              QStringLiteral("Conectando a localhost:/nowhere/datos//norvane.fdb ..."));
    EXPECT_TRUE(window->isVisible());
    ASSERT_FALSE(messages.recorded().isEmpty());
    EXPECT_EQ(messages.recorded().last().kind, MessageKind::Error);
}

class CustomerModeTest : public WindowFixture, public testing::WithParamInterface<bool> {};

TEST_P(CustomerModeTest, ActivationLeavesOnlyCustomersAndDisbursementsAsTheyWere) {
    dm.modoClientes = true;
    openWindow();
    window->ckEgre->setChecked(GetParam());
    showActive();

    EXPECT_FALSE(window->ckvta->isChecked());
    EXPECT_FALSE(window->ckrdc->isChecked());
    EXPECT_FALSE(window->cktrans->isChecked());
    EXPECT_TRUE(window->ckcliente->isChecked());
    EXPECT_EQ(window->ckEgre->isChecked(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Disbursements, CustomerModeTest, testing::Bool());

TEST_F(TransmissionWindowTest, WithoutCustomerModeActivationChangesNothing) {
    openWindow();
    window->ckcliente->setChecked(false);
    showActive();
    EXPECT_TRUE(window->ckvta->isChecked());
    EXPECT_FALSE(window->ckcliente->isChecked());
}

struct RunMode {
    const char* name;
    const char* modoEnvio;
    bool ventas;
    bool recibos;
};

// The case by its name, in test lists too.
void PrintTo(const RunMode& c, std::ostream* out) {
    *out << c.name;
}

class AutomaticRunTest : public WindowFixture, public testing::WithParamInterface<RunMode> {};

// With the command line's destination the window fills itself and transmits before it is shown.
TEST_P(AutomaticRunTest, PreselectsTransmitsAndClosesWithOk) {
    connectOrigin();
    setCommandLineDestination(QString::fromLatin1(GetParam().modoEnvio));

    Tftransmitir& w = openWindow();

    EXPECT_EQ(w.Server->currentText(), companies.server());
    EXPECT_EQ(w.Tuser->text(), companies.user());
    EXPECT_EQ(w.TClaveD->text(), companies.password());
    EXPECT_EQ(w.CiaD->text(), CompanyPair::kCentral);
    EXPECT_EQ(w.ckvta->isChecked(), GetParam().ventas);
    EXPECT_EQ(w.ckrdc->isChecked(), GetParam().recibos);
    EXPECT_FALSE(w.ckcliente->isChecked());
    EXPECT_EQ(messages.recorded().last(), kCompleted);
    EXPECT_EQ(w.exec(), int(QDialog::Accepted)); // returns at once: the run has ended the window
}

INSTANTIATE_TEST_SUITE_P(Modes, AutomaticRunTest,
                         testing::Values(RunMode{"SalesOnly", "2", true, false},
                                         RunMode{"ReceiptsOnly", "3", false, true},
                                         RunMode{"OtherMode", "4", true, true}),
                         [](const testing::TestParamInfo<RunMode>& info) { return info.param.name; });

TEST_F(TransmissionWindowTest, UnattendedRunEndsWithoutAMessage) {
    connectOrigin();
    setCommandLineDestination(QStringLiteral("1"));
    const qsizetype before = messages.recorded().size();

    Tftransmitir& w = openWindow();

    EXPECT_EQ(messages.recorded().size(), before);
    EXPECT_NE(w.exec(), int(QDialog::Accepted)); // the program ends instead
}

TEST_F(TransmissionWindowTest, AutomaticRunInCustomerModeUsesTheBoxesOfItsCreation) {
    dm.modoClientes = true;
    connectOrigin();
    setCommandLineDestination(QStringLiteral("2"));

    openWindow();
    EXPECT_FALSE(window->ckcliente->isChecked());
    EXPECT_TRUE(window->ckvta->isChecked());
}

TEST_F(TransmissionWindowTest, InteractiveRunEndsWithTheMessageAndOk) {
    connectOrigin();
    openWindow();
    showActive();
    QSignalSpy finished(window.data(), &QDialog::finished);
    fillDestination(companies.user(), companies.password(), CompanyPair::kCentral);
    window->CiaD->setFocus();
    QTest::keyClick(window->CiaD, Qt::Key_Tab);

    QTest::mouseClick(window->SpeedButton1, Qt::LeftButton);

    EXPECT_EQ(messages.recorded().last(), kCompleted);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.first().first().toInt(), int(QDialog::Accepted));
    EXPECT_EQ(dm.usuario, companies.user());
    EXPECT_EQ(dm.Norvane.parameter(QStringLiteral("Database")), companies.database(CompanyPair::kCentral));
}

} // namespace
} // namespace quelmaro::test
