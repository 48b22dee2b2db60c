#include "closing/window/cierre.h"

#include "closing/format/format_records.h"
#include "closing/rows/cimpfactura.h"
#include "closing/run/print_run.h"
#include "data/dm/dm.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "shell/rngquelmaro.h"

#include <QCloseEvent>
#include <QDateEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace quelmaro {

Tfcierre* fcierre = nullptr;

namespace {

// What the main window gives the print run: its configuration lookup, the application directory, and the
// report date and user of the heading as they stand when the page is drawn.
PrintRunContext mainWindowContext() {
    return PrintRunContext{
        [](const QString& modulo, const QString& categoria, const QString& propiedad) {
            return fquelmaro->configuracion(modulo, categoria, propiedad);
        },
        [] { return fquelmaro->diraplicacion(); },
        [] {
            return ReportHeaderInputs{fquelmaro->EFecIni->date(), fquelmaro->Tusua->text()};
        }};
}

} // namespace

Tfcierre::Tfcierre(QWidget* owner)
    : QDialog(owner), rows(new ClosingReportRows(fdm->QResumen, this)),
      format(new FormatRecords(fdm->Tformatos, this)),
      run(new ClosingPrintRun(*format, *rows, mainWindowContext(), this)), CImpfactura(rows->CImpfactura),
      CFormato(format->CFormato), ReportJob1(run->ReportJob1) {
    buildControls();
    // A failed query is reported and the window still opens, without rows.
    platform::guarded([this] { FormCreate(); });
}

Tfcierre::~Tfcierre() {
    if (fcierre == this)
        fcierre = nullptr;
}

void Tfcierre::FormCreate() {
    setFixedSize(324, 140);
    const PointRangeText puntos = completedPointRange({fquelmaro->Ptoini->text(), fquelmaro->Ptofin->text()});
    fquelmaro->Ptoini->setText(puntos.ptoini);
    fquelmaro->Ptofin->setText(puntos.ptofin);
    rows->open(ClosingRequest{fquelmaro->EFecIni->date(), puntos, fquelmaro->agencia});
}

void Tfcierre::SpeedButton1Click() {
    run->print();
    // An error above leaves the window open: the operator may print again or leave.
    close();
}

void Tfcierre::SpeedButton2Click() {
    close();
}

// The window sees each key before its controls: F2 and Enter print, Esc closes.
bool Tfcierre::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QWidget* receiver = focusWidget() ? focusWidget() : this;
        if (watched == receiver) {
            const bool handled = key->key() == Qt::Key_F2 || key->key() == Qt::Key_Return ||
                                 key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
            platform::guarded([&] { FormKeyDown(key->key(), key->modifiers()); });
            if (handled)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Tfcierre::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return;
    switch (key) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SpeedButton1Click();
        break;
    case Qt::Key_Escape:
        SpeedButton2Click();
        break;
    default:
        break;
    }
}

void Tfcierre::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tfcierre::closeEvent(QCloseEvent* event) {
    CFormato.close();
    QDialog::closeEvent(event);
}

void Tfcierre::buildControls() {
    setObjectName(QStringLiteral("fcierre"));
    setWindowTitle(QStringLiteral("Imprimir cierre"));
    setModal(true);
    setFont(platform::windowFont(QStringLiteral("MS Sans Serif"), 8));

    Label1 =
        new QLabel(QStringLiteral("Prepare la impresora y presione Imprimir para generar el cierre"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(8, 8, 308, 48);

    const auto speedButton = [this](const QString& name, const QString& caption, QStyle::StandardPixmap icon,
                                    int left) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(caption);
        button->setIcon(style()->standardIcon(icon));
        button->setIconSize(QSize(24, 24));
        button->setFont(platform::windowFont(QStringLiteral("Arial Narrow"), 8));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus); // like the keys, the buttons never take the focus
        button->setGeometry(left, 68, 65, 50);
        return button;
    };
    SpeedButton1 =
        speedButton(QStringLiteral("SpeedButton1"), QStringLiteral("F2: Imprimir"), QStyle::SP_FileIcon, 88);
    SpeedButton2 = speedButton(QStringLiteral("SpeedButton2"), QStringLiteral("ESC: Salir"),
                               QStyle::SP_DialogCancelButton, 171);
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton2Click(); }); });

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

} // namespace quelmaro
