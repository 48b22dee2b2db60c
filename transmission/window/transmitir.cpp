#include "transmission/window/transmitir.h"

#include "data/dm/dm.h"
#include "platform/caption_fit.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "platform/tab_focus.h"
#include "transmission/run/connection_setup.h"
#include "transmission/window/main_window_inputs.h"
#include "transmission/window/transmission_steps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace quelmaro {

Tftransmitir* ftransmitir = nullptr;

namespace {

bool unattendedProgram() {
    return qEnvironmentVariable("QUELMARO_NO_DIALOGS") == QLatin1String("1");
}

} // namespace

// Panel5 as the run's progress line: shown and repainted at once, since no events run during a run.
class Tftransmitir::PanelProgress : public Progress {
public:
    explicit PanelProgress(Tftransmitir& window) : window_(window) {}
    void show(const QString& text) override {
        platform::setWrappedCaption(*window_.Panel5, text);
        window_.Panel5->show();
        window_.repaint();
    }
    void hide() override {
        window_.Panel5->hide();
        window_.repaint();
    }

private:
    Tftransmitir& window_;
};

class Tftransmitir::CheckBoxChoice : public StepChoice {
public:
    explicit CheckBoxChoice(const Tftransmitir& window) : window_(window) {}
    bool isChecked(StepKind step) const override {
        switch (step) {
        case StepKind::Ventas:
            return window_.ckvta->isChecked();
        case StepKind::Recibos:
            return window_.ckrdc->isChecked();
        case StepKind::Clientes:
            return window_.ckcliente->isChecked();
        case StepKind::Traslados:
            return window_.cktrans->isChecked();
        case StepKind::Egresos:
            break;
        }
        return window_.ckEgre->isChecked();
    }

private:
    const Tftransmitir& window_;
};

Tftransmitir::Tftransmitir(QWidget* owner)
    : QDialog(owner), progress_(std::make_unique<PanelProgress>(*this)),
      choice_(std::make_unique<CheckBoxChoice>(*this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    const MainWindowInputs inputs = readMainWindow();
    run_ = std::make_unique<Run>(
        DbOrigen, fdm->Norvane, RunSettings{inputs.origin.user, inputs.modoEnvio}, *progress_,
        [](const QString& module, const QString& category, const QString& property) {
            return fdm->configuracion(module, category, property);
        },
        [](QObject& owner) { fdm->ConfigurarProviders(&owner); });
    steps_ = std::make_unique<TransmissionSteps>(*this, *run_);
    FormCreate();
}

Tftransmitir::~Tftransmitir() {
    if (ftransmitir == this)
        ftransmitir = nullptr;
}

void Tftransmitir::FormCreate() {
    setFixedSize(374, 194);
    fdm->ConfigurarProviders(this);
    const MainWindowInputs inputs = readMainWindow();
    if (inputs.destino.company.isEmpty()) {
        Server->addItems(inputs.servidores);
        Server->setCurrentIndex(Server->count() > 0 ? 0 : -1);
        return;
    }
    Server->addItem(inputs.destino.server);
    Server->setCurrentIndex(0);
    Tuser->setText(inputs.destino.user);
    TClaveD->setText(inputs.destino.password);
    CiaD->setText(inputs.destino.company);
    ckcliente->setChecked(false);
    if (inputs.modoEnvio == QLatin1String("2")) {
        ckvta->setChecked(true);
        ckrdc->setChecked(false);
    } else if (inputs.modoEnvio == QLatin1String("3")) {
        ckvta->setChecked(false);
        ckrdc->setChecked(true);
    }
    transmit();
}

int Tftransmitir::exec() {
    if (closedBeforeShown_) {
        deleteLater();
        return result();
    }
    return QDialog::exec();
}

void Tftransmitir::FormActivate() {
    if (!fdm->modoClientes)
        return;
    ckvta->setChecked(false);
    ckrdc->setChecked(false);
    cktrans->setChecked(false);
    ckcliente->setChecked(true);
}

void Tftransmitir::CiaDExit() {
    if (!CiaD->text().isEmpty() && !Tuser->text().isEmpty() && !TClaveD->text().isEmpty())
        SpeedButton1->setEnabled(true);
}

void Tftransmitir::SpeedButton1Click() {
    run_->report() = RunReport();
    run_->setDate(QDate());
    const MainWindowInputs inputs = readMainWindow();
    const CompanyLogin destino{Server->currentText(), CiaD->text(), Tuser->text(), TClaveD->text()};
    connectDatabases(*run_, inputs.origin, destino, [](const QString& user) { fdm->usuario = user; });
    MainWindowPointRange range;
    runDates(*run_, {inputs.from, inputs.to, fdm->agencia}, range, *choice_, steps_->steps());

    if (run_->settings().unattended()) {
        endUnattended();
        return;
    }
    // A run goes on past a failed point of sale; it is no success then, and the window stays for another try.
    if (!run_->report().succeeded()) {
        platform::messages().information(
            QStringLiteral("El envío de resumen de ventas terminó con errores. ") + run_->report().summary());
        return;
    }
    platform::messages().information(QStringLiteral("Envio de resumen de ventas completado con éxito."));
    closeWithResult(QDialog::Accepted);
}

void Tftransmitir::SpeedButton2Click() {
    close();
}

void Tftransmitir::transmit() {
    const bool completed = platform::guarded([this] { SpeedButton1Click(); });
    // Nobody will answer a window left open by a failed unattended run: end it so a scheduler sees it.
    if (!completed && run_->settings().unattended() && unattendedProgram()) {
        RunReport& report = run_->report();
        if (!report.isInterrupted())
            report.interrupted(run_->date().isValid() ? QStringLiteral("la fecha ") + run_->dateText()
                                                      : QStringLiteral("la conexión a las bases de datos"));
        endUnattended();
    }
}

// The scheduler learns what the run did from one line on standard error and from the exit code: 0 only when
// everything was sent and posted.
void Tftransmitir::endUnattended() {
    run_->report().writeSummaryLine();
    endProgram(run_->report().exitCode());
}

void Tftransmitir::endProgram(int exitCode) {
    QCoreApplication::exit(exitCode);
    closeWithResult(QDialog::Rejected);
}

// A run made on creation ends before the window is shown: exec() then returns at once with its result.
void Tftransmitir::closeWithResult(int result) {
    if (isVisible()) {
        done(result);
        return;
    }
    setResult(result);
    closedBeforeShown_ = true;
}

bool Tftransmitir::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        platform::guarded([this] { FormActivate(); });
    return QDialog::event(event);
}

// The window sees keys first: F5 and Esc without Shift, Ctrl or Alt act even while their buttons are
// disabled; Enter in a field or check box moves on like Tab. Leaving CiaD may enable F5.
bool Tftransmitir::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CiaD && event->type() == QEvent::FocusOut)
        platform::guarded([this] { CiaDExit(); });
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers held =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held != Qt::NoModifier)
        return QDialog::eventFilter(watched, event);
    // Claiming the shortcut override keeps the key from becoming a shortcut elsewhere.
    const bool handled = key->key() == Qt::Key_F5 || key->key() == Qt::Key_Escape ||
                         ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && watched != this);
    if (!handled)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    switch (key->key()) {
    case Qt::Key_F5:
        transmit();
        break;
    case Qt::Key_Escape:
        platform::guarded([this] { SpeedButton2Click(); });
        break;
    default:
        platform::moveFocusLikeTab(*static_cast<QWidget*>(watched));
        break;
    }
    return true;
}

} // namespace quelmaro
