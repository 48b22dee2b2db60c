#include "shell/rngquelmaro.h"

#include "closing/window/cierre.h"
#include "data/dm/configuration_lookup.h"
#include "data/dm/dm.h"
#include "data/dm/formats.h"
#include "data/recordset/provider.h"
#include "data/recordset/recordset.h"
#include "platform/caption_fit.h"
#include "platform/clock.h"
#include "platform/guard.h"
#include "platform/tab_focus.h"
#include "shell/application_directory.h"
#include "shell/connection_fault.h"
#include "shell/server_list.h"
#include "transmission/run/run_report.h"
#include "transmission/window/transmitir.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

namespace quelmaro {

Tfquelmaro* fquelmaro = nullptr;

namespace {

const QString kCommandLineCustomers = QStringLiteral("CLI");

FieldDef textField(const QString& name) {
    return FieldDef{name, fb::ColumnType::Text, 60};
}

} // namespace

Tfquelmaro::Tfquelmaro(const QStringList& arguments, QWidget* parent)
    : QWidget(parent), arguments_(arguments) {
    fquelmaro = this;
    buildControls();

    PSubemp = new Provider(QStringLiteral("PSubemp"), fdm->TSubEmpresa, this);
    CSubemp = new RecordSet(QStringLiteral("CSubemp"), this);
    CSubemp->setProvider(PSubemp);
    CSubemp->declareField(FieldDef{QStringLiteral("SUCU_ID"), fb::ColumnType::Integer, 0, 0, true});
    CSubemp->declareField(textField(QStringLiteral("SUCU_NOMBRE")));
    CSubemp->declareField(textField(QStringLiteral("SUCU_DIRECCION")));
    CSubemp->declareField(textField(QStringLiteral("SUCU_TELEFONOS")));
    PConfiguracion = new Provider(QStringLiteral("PConfiguracion"), fdm->QConfiguracion, this);
    CConfiguracion = new RecordSet(QStringLiteral("CConfiguracion"), this);
    CConfiguracion->setProvider(PConfiguracion);

    for (QWidget* field : std::as_const(enterFields_))
        field->installEventFilter(this);
    installEventFilter(this);
    connect(SpeedButton3, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton3Click(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton2Click(); }); });
    connect(CboAgencia, &QComboBox::activated, this,
            [this] { platform::guarded([this] { CboAgenciaChange(); }); });

    platform::guarded([this] { FormCreate(); });
    prefillFromEnvironment();
}

Tfquelmaro::~Tfquelmaro() {
    if (fquelmaro == this)
        fquelmaro = nullptr;
}

void Tfquelmaro::FormCreate() {
    servidores.clear();
    fdm->directorio = diraplicacion();
    servidores = shell::readServerList(fdm->directorio);
    Servidor->clear();
    Servidor->addItems(servidores);
    Servidor->setCurrentIndex(servidores.isEmpty() ? -1 : 0);
    formats::setSettings(formats::programSettings());
}

// For a demonstration or a first try: QUELMARO_USER, QUELMARO_PASSWORD and QUELMARO_COMPANY fill the origin
// fields, and leaving Cia (Enter) connects. The command line is not involved, so it keeps its meaning.
void Tfquelmaro::prefillFromEnvironment() {
    const QString company = qEnvironmentVariable("QUELMARO_COMPANY");
    Tusua->setText(qEnvironmentVariable("QUELMARO_USER"));
    TClave->setText(qEnvironmentVariable("QUELMARO_PASSWORD"));
    Cia->setText(company);
    if (!company.isEmpty())
        Cia->setFocus();
}

QString Tfquelmaro::argument(int number) const {
    return arguments_.value(number - 1);
}

QString Tfquelmaro::diraplicacion() {
    return shell::applicationDirectory();
}

QString Tfquelmaro::configuracion(const QString& modulo, const QString& categoria, const QString& propiedad) {
    return dm::lookupConfiguration(*CConfiguracion, modulo, categoria, propiedad);
}

void Tfquelmaro::showBusy(const QString& caption) {
    platform::setWrappedCaption(*Panel5, caption);
    Panel5->show();
    Panel5->raise();
    repaint();
}

bool Tfquelmaro::event(QEvent* event) {
    // The command-line start runs once, after the window has become active for the first time; modal
    // windows and message boxes give the activation back later without starting it again.
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        QTimer::singleShot(0, this, [this] {
            const bool completed = platform::guarded([this] { FormActivate(); });
            // An unattended start that cannot connect ends the program, so its scheduler sees the failure.
            const bool unattended = argument(10) == QLatin1String("1") &&
                                    qEnvironmentVariable("QUELMARO_NO_DIALOGS") == QLatin1String("1");
            if (unattended && (!completed || !fdm->Norvane.isOpen())) {
                RunReport report;
                report.interrupted(QStringLiteral("la conexión a la compañía de origen"));
                report.writeSummaryLine();
                QCoreApplication::exit(report.exitCode());
            }
        });
    }
    return QWidget::event(event);
}

bool Tfquelmaro::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The window sees each key once, where it arrives first: the focused field, or the window itself.
        QWidget* receiver = focusWidget() ? focusWidget() : this;
        if (watched == receiver)
            platform::guarded([&] { FormKeyDown(key->key(), key->modifiers()); });
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        auto* field = qobject_cast<QWidget*>(watched);
        if (enter && enterFields_.contains(field)) {
            platform::moveFocusLikeTab(*field); // Enteratab: Enter moves on like Tab and is not passed on
            return true;
        }
        if (watched == CboAgencia && !key->text().isEmpty() && key->text().at(0).isPrint() &&
            !CboAgencia->view()->isVisible())
            CboAgencia->showPopup(); // the branch list opens as soon as the operator types
    } else if (event->type() == QEvent::FocusOut && watched == Cia) {
        // Leaving Cia for another control connects; the window losing the activation is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, [this] { platform::guarded([this] { CiaExit(); }); });
    }
    return QWidget::eventFilter(watched, event);
}

void Tfquelmaro::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_F5:
        if (!connectionFailed_)
            SpeedButton1Click();
        break;
    case Qt::Key_F2:
        if (!connectionFailed_)
            SpeedButton3Click();
        break;
    case Qt::Key_Escape:
        SpeedButton2Click();
        break;
    default:
        break;
    }
}

void Tfquelmaro::FormActivate() {
    if (argument(10).isEmpty())
        return;
    Servidor->clear();
    Servidor->addItem(argument(1));
    Servidor->setCurrentIndex(0);
    Tusua->setText(argument(2));
    TClave->setText(argument(3));
    Cia->setText(argument(4));
    CiaExit();
    if (!fdm->Norvane.isOpen())
        return;
    agencia = argument(9);
    servidorDestino = argument(5);
    usuarioDestino = argument(6);
    claveDestino = argument(7);
    ciaDestino = argument(8);
    modoEnvio = argument(10);
    if (argument(11) != kCommandLineCustomers) {
        const QDate day = formats::parseShortDate(argument(11));
        EFecIni->setDate(day);
        EFecfin->setDate(day);
    }
    if (modoEnvio == QLatin1String("1"))
        SpeedButton1Click();
}

void Tfquelmaro::CiaExit() {
    if (Cia->text().isEmpty() || Tusua->text().isEmpty() || TClave->text().isEmpty())
        return;
    showBusy(QStringLiteral("Conectando a la base de datos ") + Cia->text() + QStringLiteral(" ..."));
    fdm->Norvane.close();
    fdm->Norvane.setParameter(QStringLiteral("Database"), Servidor->currentText() +
                                                              QStringLiteral("/datos/") + Cia->text() +
                                                              QStringLiteral("/norvane.fdb"));
    fdm->Norvane.setParameter(QStringLiteral("User_Name"), Tusua->text());
    fdm->Norvane.setParameter(QStringLiteral("password"), TClave->text());
    openConnection();
    fdm->ConfigurarProviders(this);
    EFecIni->setEnabled(true);
    EFecIni->setDate(platform::today());
    EFecfin->setEnabled(true);
    EFecfin->setDate(platform::today());
    const QString dayOrCustomers = argument(11);
    if (!dayOrCustomers.isEmpty()) {
        if (dayOrCustomers != kCommandLineCustomers) {
            const QDate day = formats::parseShortDate(dayOrCustomers);
            EFecIni->setDate(day);
            EFecfin->setDate(day);
        }
        fdm->modoClientes = dayOrCustomers == kCommandLineCustomers;
    }
    Panel5->hide();
    EFecIni->setFocus();
    SpeedButton3->setEnabled(true);
    SpeedButton1->setEnabled(true);
    fillBranches();
    agencia = QStringLiteral("0");
}

void Tfquelmaro::openConnection() {
    try {
        fdm->Norvane.open();
    } catch (const std::exception& error) {
        connectionFailed(QString::fromUtf8(error.what()));
        throw;
    }
    connectionFailed_ = false;
}

void Tfquelmaro::connectionFailed(const QString& error) {
    Panel5->hide();
    SpeedButton3->setEnabled(false);
    SpeedButton1->setEnabled(false);
    connectionFailed_ = true;
    switch (shell::fieldAtFault(error, Servidor->currentText())) {
    case shell::OriginField::Servidor:
        Servidor->setFocus(Qt::OtherFocusReason);
        break;
    case shell::OriginField::TClave:
        TClave->setFocus(Qt::OtherFocusReason);
        TClave->selectAll();
        break;
    case shell::OriginField::Cia:
        Cia->setFocus(Qt::OtherFocusReason);
        Cia->selectAll();
        break;
    }
    repaint();
}

void Tfquelmaro::fillBranches() {
    CSubemp->close();
    CSubemp->open();
    CboAgencia->clear();
    CboAgencia->addItem(QStringLiteral("Todas"));
    for (CSubemp->first(); !CSubemp->eof(); CSubemp->next())
        CboAgencia->addItem(CSubemp->field(QStringLiteral("SUCU_NOMBRE")).asString());
    CboAgencia->setCurrentIndex(0);
}

void Tfquelmaro::CboAgenciaChange() {
    if (CSubemp->isOpen() && CSubemp->locate(QStringLiteral("SUCU_NOMBRE"), CboAgencia->currentText()))
        agencia = CSubemp->field(QStringLiteral("SUCU_ID")).asString();
    else
        agencia = QStringLiteral("0");
}

void Tfquelmaro::SpeedButton3Click() {
    showBusy(QStringLiteral("Generando reporte. Espere un momento..."));
    QPointer<Tfcierre> window = new Tfcierre(this);
    fcierre = window;
    Panel5->hide();
    repaint();
    window->exec();
    delete window.data();
    close();
}

void Tfquelmaro::SpeedButton1Click() {
    fdm->agencia = agencia;
    const QMap<QString, QString> origin =
        fdm->Norvane.isOpen() ? fdm->Norvane.parameters() : QMap<QString, QString>();
    QPointer<Tftransmitir> window = new Tftransmitir(this);
    ftransmitir = window;
    const int result = window ? window->exec() : QDialog::Rejected;
    delete window.data();
    if (result == QDialog::Accepted) {
        close();
        return;
    }
    // A run points the shared connection at the destination and leaves it there. The closing report (F2)
    // must read the store's company again, never the central one's figures as the store's.
    if (!origin.isEmpty() && fdm->Norvane.parameters() != origin)
        reconnect(origin);
}

void Tfquelmaro::reconnect(const QMap<QString, QString>& parameters) {
    showBusy(QStringLiteral("Conectando a la base de datos ") + Cia->text() + QStringLiteral(" ..."));
    fdm->Norvane.close();
    for (auto parameter = parameters.begin(); parameter != parameters.end(); ++parameter)
        fdm->Norvane.setParameter(parameter.key(), parameter.value());
    openConnection();
    Panel5->hide();
}

void Tfquelmaro::SpeedButton2Click() {
    close();
}

void Tfquelmaro::closeEvent(QCloseEvent* event) {
    CSubemp->close(); // FormClose
    event->accept();
}

} // namespace quelmaro
