#include "tests/shell/modal_closer.h"
#include "tests/shell/shell_environment.h"

#include "data/recordset/recordset.h"
#include "platform/clock.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quelmaro;
using namespace quelmaro::test;

namespace {

QStringList labelTexts(const QWidget& parent) {
    QStringList texts;
    for (const QLabel* label : parent.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        texts << label->text();
    return texts;
}

TEST(MainWindow, StartsAsDesigned) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();

    EXPECT_EQ(window->windowTitle(), "Resumen diario");
    EXPECT_EQ(window->size(), QSize(363, 345));
    EXPECT_LE((window->geometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center())
                  .manhattanLength(),
              2); // halves of odd sizes
    EXPECT_EQ(window->GroupBox1->title(), "Origen:");
    EXPECT_EQ(window->GroupBox2->title(), "Parámetros ");
    EXPECT_EQ(labelTexts(*window->GroupBox1),
              QStringList({"Servidor : ", "Usuario : ", "Clave : ", "Compañía:"}));
    EXPECT_EQ(labelTexts(*window->GroupBox2),
              QStringList({"Desde:", "Hasta:", "Agencia:", "Puntos venta:", "Rev:2020/01/24"}));
    EXPECT_TRUE(
        labelTexts(*window).contains("Este programa imprime un reporte de resumen de operaciones diario, así "
                                     "como una proyección mensual de "
                                     "las ventas y compras o transmite un resumen de las ventas diarias"));

    EXPECT_GE(window->Servidor->width(), 120);
    EXPECT_EQ(window->Cia->width(), 45);
    EXPECT_EQ(window->CboAgencia->width(), 265);
    // At least as wide as designed, and wide enough for the range the closing and the transmission write.
    for (const QLineEdit* point : {window->Ptoini, window->Ptofin})
        EXPECT_GE(point->width(), 33);
    EXPECT_FALSE(window->Servidor->isEditable());
    EXPECT_FALSE(window->CboAgencia->isEditable());
    EXPECT_EQ(window->CboAgencia->maxVisibleItems(), 4);
    EXPECT_EQ(window->CboAgencia->count(), 0);

    EXPECT_EQ(window->servidores, QStringList{sharedCompanies().root()});
    EXPECT_EQ(window->Servidor->currentText(), sharedCompanies().root());
    EXPECT_EQ(environment.dataModule.directorio, environment.applicationDirectory.path());

    EXPECT_FALSE(window->EFecIni->isEnabled());
    EXPECT_FALSE(window->EFecfin->isEnabled());
    EXPECT_EQ(window->EFecIni->date(), platform::today()) << "no date of the year 2000 before connecting";
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a window of fixed size";
    const QList<QToolButton*> buttons = {window->SpeedButton3, window->SpeedButton1, window->SpeedButton2};
    EXPECT_EQ(buttons[0]->text(), "F2: Imprimir");
    EXPECT_EQ(buttons[1]->text(), "F5: Transmitir");
    EXPECT_EQ(buttons[2]->text(), "Esc: Cancelar");
    EXPECT_FALSE(buttons[0]->isEnabled());
    EXPECT_FALSE(buttons[1]->isEnabled());
    EXPECT_TRUE(buttons[2]->isEnabled());
    for (const QToolButton* button : buttons) {
        EXPECT_EQ(button->size(), QSize(65, 50));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }

    EXPECT_FALSE(window->Panel5->isVisible());
    EXPECT_EQ(window->Panel5->geometry(), QRect(8, 84, 337, 41));

    window->TClave->setText("clave");
    EXPECT_EQ(window->TClave->displayText(), "*****");
    EXPECT_TRUE(environment.messages.recorded().isEmpty());
}

TEST(MainWindow, EnterMovesToTheNextFieldLikeTab) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->EFecIni->setEnabled(true);
    window->EFecfin->setEnabled(true);
    const QList<QWidget*> fields = {window->Servidor,   window->Tusua,   window->TClave,
                                    window->Cia,        window->EFecIni, window->EFecfin,
                                    window->CboAgencia, window->Ptoini,  window->Ptofin};
    for (qsizetype i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(fields[i]->objectName().toStdString());
        fields[i]->setFocus();
        ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == fields[i]; }));
        QTest::keyClick(fields[i], Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), fields[(i + 1) % fields.size()]);
    }
    window->Ptoini->setFocus();
    QTest::keyClick(window->Ptoini, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->Ptofin);
    // Leaving Cia with its password empty does nothing, not even the busy panel.
    QTest::qWait(20);
    EXPECT_FALSE(window->Panel5->isVisible());
    EXPECT_TRUE(environment.messages.recorded().isEmpty());
}

struct TypedDate {
    const char* name;
    const char* typed;
    Qt::Key leaveWith;
    QDate taken;     // the date the field holds afterwards
    QString refused; // the message, when the date is refused and the focus stays
};

void PrintTo(const TypedDate& c, std::ostream* out) {
    *out << c.name;
}

class DateTyping : public testing::TestWithParam<TypedDate> {};

const QDate kToday(2024, 3, 1);

// The date picker is one field for the keyboard: typed digits replace its date, Tab and Enter leave it.
TEST_P(DateTyping, TakesTheTypedDateOrRefusesIt) {
    const TypedDate& typing = GetParam();
    platform::FixedClock clock{QDateTime(kToday, QTime(9, 0))};
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->EFecIni->setEnabled(true);
    window->EFecfin->setEnabled(true);
    window->EFecIni->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->EFecIni; }));
    QTest::keyClicks(window->EFecIni, QString::fromLatin1(typing.typed));
    QTest::keyClick(window->EFecIni, typing.leaveWith);
    QTest::qWait(20);
    EXPECT_EQ(window->EFecIni->date(), typing.taken);
    EXPECT_EQ(window->EFecIni->text(), typing.taken.toString(QStringLiteral("yyyy/MM/dd")));
    EXPECT_EQ(errorsShown(environment.messages),
              typing.refused.isEmpty() ? QStringList() : QStringList{typing.refused});
    EXPECT_EQ(QApplication::focusWidget(), typing.refused.isEmpty() ? window->EFecfin : window->EFecIni);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateTyping,
    testing::Values(TypedDate{"DigitsThenTab", "20240315", Qt::Key_Tab, QDate(2024, 3, 15), {}},
                    TypedDate{"SeparatorsThenEnter", "2024/3/5", Qt::Key_Return, QDate(2024, 3, 5), {}},
                    TypedDate{"NothingTypedThenTab", "", Qt::Key_Tab, kToday, {}},
                    TypedDate{"NoSuchDay", "20240231", Qt::Key_Tab, kToday,
                              QStringLiteral("La fecha 2024/02/31 no es válida.")},
                    TypedDate{"TooFewDigits", "202403", Qt::Key_Return, kToday,
                              QStringLiteral("La fecha 2024/03 no es válida.")}),
    [](const testing::TestParamInfo<TypedDate>& info) { return info.param.name; });

// The points of sale take digits only; leaving them with the last below the first is refused at the field
// just left, as a date that does not exist is.
TEST(MainWindow, PointsOfSaleTakeDigitsAndRefuseARangeThatEndsBelowItsStart) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->Ptoini->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->Ptoini; }));
    QTest::keyClicks(window->Ptoini, "1a2-");
    EXPECT_EQ(window->Ptoini->text(), "12");
    QTest::keyClick(window->Ptoini, Qt::Key_Tab);
    QTest::keyClicks(window->Ptofin, "5x");
    EXPECT_EQ(window->Ptofin->text(), "5");
    QTest::keyClick(window->Ptofin, Qt::Key_Return);
    EXPECT_EQ(errorsShown(environment.messages),
              QStringList{"El último punto de venta (5) es menor que el primero (12)."});
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->Ptofin; }));
    EXPECT_EQ(window->Ptofin->selectedText(), "5");

    QTest::keyClicks(window->Ptofin, "20");
    QTest::keyClick(window->Ptofin, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_EQ(errorsShown(environment.messages).size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), window->Servidor);
}

// Every password field of the program, "Envio"'s too, shows its characters as the main window's does, and
// message boxes speak in the windows' font.
TEST(MainWindow, OneLookForPasswordsAndMessageBoxes) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->TClave->setText("clave");
    EXPECT_EQ(window->TClave->displayText(), "*****");
    QLineEdit otherPassword;
    otherPassword.setEchoMode(QLineEdit::Password);
    otherPassword.setText("clave");
    EXPECT_EQ(otherPassword.displayText(), window->TClave->displayText());
    EXPECT_EQ(window->TClave->styleSheet(), "") << "drawn by the same style as any other field";
    EXPECT_EQ(QApplication::font("QMessageBox").family(), window->font().family());
    EXPECT_EQ(QApplication::font("QFileDialog").pointSize(), window->font().pointSize());
}

TEST(MainWindow, F4OrAltDownOpensTheCalendar) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->EFecfin->setEnabled(true);
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_F4), Qt::AltModifier | Qt::Key_Down}) {
        window->EFecfin->setFocus();
        QTest::keyClick(window->EFecfin, key.key(), key.keyboardModifiers());
        ASSERT_TRUE(waitFor([&] { return window->EFecfin->calendarWidget()->isVisible(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right); // the next day
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(waitFor([&] { return !window->EFecfin->calendarWidget()->isVisible(); }));
    }
    EXPECT_EQ(window->EFecfin->date(), platform::today().addDays(2));
}

TEST(MainWindow, TypingInTheBranchListOpensIt) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->CboAgencia->addItems({"Todas", "NORTE"});
    window->CboAgencia->setFocus();
    QTest::keyClick(window->CboAgencia, Qt::Key_N);
    EXPECT_TRUE(window->CboAgencia->view()->isVisible());
    window->CboAgencia->hidePopup();
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QStringList windowsOpened;
    bool mainWindowStays;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class FunctionKeys : public testing::TestWithParam<KeyCase> {};

// Before any connection: the buttons are disabled, and the keys still act.
TEST_P(FunctionKeys, ActOnlyWithoutShiftCtrlAndAlt) {
    const KeyCase& key = GetParam();
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->Tusua->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->Tusua; }));
    const ModalCloser closer;
    QTest::keyClick(window->Tusua, key.key, key.modifiers);
    EXPECT_EQ(closer.closed(), key.windowsOpened);
    EXPECT_EQ(window->isVisible(), key.mainWindowStays);
    EXPECT_FALSE(window->Panel5->isVisible());
}

const QStringList kClosingWindow = {"Tfcierre: Imprimir cierre"};
const QStringList kTransmissionWindow = {"Tftransmitir: Envio resumen diario"};

INSTANTIATE_TEST_SUITE_P(Keys, FunctionKeys,
                         testing::Values(KeyCase{"F2", Qt::Key_F2, Qt::NoModifier, kClosingWindow, false},
                                         KeyCase{"F5", Qt::Key_F5, Qt::NoModifier, kTransmissionWindow, true},
                                         KeyCase{"Esc", Qt::Key_Escape, Qt::NoModifier, {}, false},
                                         KeyCase{"ShiftF2", Qt::Key_F2, Qt::ShiftModifier, {}, true},
                                         KeyCase{"CtrlF2", Qt::Key_F2, Qt::ControlModifier, {}, true},
                                         KeyCase{"AltF5", Qt::Key_F5, Qt::AltModifier, {}, true},
                                         KeyCase{"CtrlF5", Qt::Key_F5, Qt::ControlModifier, {}, true},
                                         KeyCase{"ShiftEsc", Qt::Key_Escape, Qt::ShiftModifier, {}, true},
                                         KeyCase{"AltEsc", Qt::Key_Escape, Qt::AltModifier, {}, true},
                                         KeyCase{"OtherKey", Qt::Key_F3, Qt::NoModifier, {}, true}),
                         [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(MainWindow, TransmissionEndingWithOkEndsTheProgram) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    window->agencia = "7";
    const ModalCloser closer(QDialog::Accepted);
    window->SpeedButton1Click();
    EXPECT_EQ(closer.closed(), kTransmissionWindow);
    EXPECT_EQ(environment.dataModule.agencia, "7");
    EXPECT_FALSE(window->isVisible());
}

TEST(MainWindow, CancelButtonCloses) {
    ShellEnvironment environment;
    const auto window = environment.showMainWindow();
    QTest::mouseClick(window->SpeedButton2, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

} // namespace

namespace {

class ThrowingReceiver : public QObject {
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("fallo dentro de un evento");
        return QObject::event(event);
    }
};

// The safety net: an error no handler guarded does not cross the event loop; it is reported like the others.
TEST(Application, ErrorEscapingAnEventIsReported) {
    ShellEnvironment environment;
    ThrowingReceiver receiver;
    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(errorsShown(environment.messages),
              QStringList{"Se presento el siguiente error: fallo dentro de un evento"});
}

} // namespace
