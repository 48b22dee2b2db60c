#include "transmission/window/transmitir.h"

#include "platform/guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace quelmaro {

namespace {

QLabel* label(QWidget* parent, const QString& text, int top) {
    auto* caption = new QLabel(text, parent);
    caption->setGeometry(10, top + 3, 66, 16);
    return caption;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, bool checked, int top) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setGeometry(248, top, 100, 18);
    return box;
}

QLineEdit* lineEdit(QWidget* parent, const QString& name, int top, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(80, top, width, 21);
    return edit;
}

QToolButton* speedButton(QWidget* parent, const QString& name, const QString& text,
                         QStyle::StandardPixmap icon, int left) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 116, 65, 50);
    return button;
}

} // namespace

void Tftransmitir::buildControls() {
    setWindowTitle(QStringLiteral("Envio resumen diario"));
    setModal(true);

    GroupBox1 = new QGroupBox(QStringLiteral("Destino:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 2, 358, 110);
    label(GroupBox1, QStringLiteral("Servidor : "), 16);
    Server = new QComboBox(GroupBox1);
    Server->setObjectName(QStringLiteral("Server"));
    Server->setGeometry(80, 16, 160, 21);
    label(GroupBox1, QStringLiteral("Usuario : "), 40);
    Tuser = lineEdit(GroupBox1, QStringLiteral("Tuser"), 40, 100);
    label(GroupBox1, QStringLiteral("Clave : "), 64);
    TClaveD = lineEdit(GroupBox1, QStringLiteral("TClaveD"), 64, 100);
    TClaveD->setEchoMode(QLineEdit::Password);
    label(GroupBox1, QStringLiteral("Compañía:"), 88);
    CiaD = lineEdit(GroupBox1, QStringLiteral("CiaD"), 88, 45);

    ckvta = checkBox(GroupBox1, QStringLiteral("ckvta"), QStringLiteral("Ventas"), true, 14);
    ckrdc = checkBox(GroupBox1, QStringLiteral("ckrdc"), QStringLiteral("Recibos"), true, 32);
    ckcliente = checkBox(GroupBox1, QStringLiteral("ckcliente"), QStringLiteral("Clientes"), false, 50);
    cktrans = checkBox(GroupBox1, QStringLiteral("cktrans"), QStringLiteral("Traslados"), true, 68);
    ckEgre = checkBox(GroupBox1, QStringLiteral("ckEgre"), QStringLiteral("Egresos"), true, 86);

    SpeedButton1 = speedButton(this, QStringLiteral("SpeedButton1"), QStringLiteral("F5: Transmitir"),
                               QStyle::SP_ArrowRight, 230);
    SpeedButton1->setEnabled(false);
    SpeedButton2 = speedButton(this, QStringLiteral("SpeedButton2"), QStringLiteral("Esc: Cancelar"),
                               QStyle::SP_DialogCancelButton, 300);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { transmit(); });
    connect(SpeedButton2, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton2Click(); }); });

    Panel5 = new QLabel(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(8, 60, 358, 41);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel5->setAlignment(Qt::AlignCenter);
    Panel5->setAutoFillBackground(true);
    QFont font = Panel5->font();
    font.setPixelSize(13);
    Panel5->setFont(font);
    QPalette navy = Panel5->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Panel5->setPalette(navy);
    Panel5->hide();

    const QList<QWidget*> tabOrder{Server, Tuser, TClaveD, CiaD, ckvta, ckrdc, ckcliente, cktrans, ckEgre};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    for (QWidget* control : tabOrder)
        control->installEventFilter(this);
    installEventFilter(this);
}

} // namespace quelmaro
