// The controls of the transmission window, their texts, fonts and tab order.
#include "transmission/window/transmitir.h"

#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/tab_focus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quelmaro {

namespace {

QCheckBox* checkBox(QVBoxLayout& column, const QString& name, const QString& text, bool checked) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    box->setChecked(checked);
    column.addWidget(box);
    return box;
}

// A field with its label on its left; without a width it takes the room the check boxes leave.
template <typename Field>
Field* labelled(QGridLayout& grid, const QString& label, const QString& name, int width = 0) {
    const int row = grid.rowCount();
    auto* field = new Field;
    field->setObjectName(name);
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    grid.addWidget(caption, row, 0);
    if (width > 0) {
        field->setFixedWidth(width);
        grid.addWidget(field, row, 1, Qt::AlignLeft);
    } else {
        grid.addWidget(field, row, 1);
    }
    return field;
}

// A flat button 65 by 50 pixels, its image above its caption. Like the keys, it never takes the focus.
QToolButton* speedButton(QWidget& window, const QString& name, const QString& text,
                         QStyle::StandardPixmap icon) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(window.style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(65, 50);
    button->setFont(platform::windowFont(QStringLiteral("Arial Narrow"), 8));
    return button;
}

} // namespace

void Tftransmitir::buildControls() {
    setWindowTitle(QStringLiteral("Envio resumen diario"));
    setModal(true);
    setFont(platform::windowFont(QStringLiteral("MS Sans Serif"), 8));
    platform::showFocusFrames(*this);

    GroupBox1 = new QGroupBox(QStringLiteral("Destino:"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(4);
    fields->setVerticalSpacing(3);
    Server = labelled<QComboBox>(*fields, QStringLiteral("Servidor : "), QStringLiteral("Server"));
    Server->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Server->setMinimumContentsLength(1);
    // A server entry longer than the field is read whole on hovering it.
    connect(Server, &QComboBox::currentTextChanged, Server, &QWidget::setToolTip);
    Tuser = labelled<QLineEdit>(*fields, QStringLiteral("Usuario : "), QStringLiteral("Tuser"), 100);
    TClaveD = labelled<QLineEdit>(*fields, QStringLiteral("Clave : "), QStringLiteral("TClaveD"), 100);
    TClaveD->setEchoMode(QLineEdit::Password);
    CiaD = labelled<QLineEdit>(*fields, QStringLiteral("Compañía:"), QStringLiteral("CiaD"), 45);
    fields->setRowStretch(fields->rowCount(), 1);
    fields->setColumnStretch(1, 1);
    auto* steps = new QVBoxLayout;
    steps->setSpacing(1);
    ckvta = checkBox(*steps, QStringLiteral("ckvta"), QStringLiteral("Ventas"), true);
    ckrdc = checkBox(*steps, QStringLiteral("ckrdc"), QStringLiteral("Recibos"), true);
    ckcliente = checkBox(*steps, QStringLiteral("ckcliente"), QStringLiteral("Clientes"), false);
    cktrans = checkBox(*steps, QStringLiteral("cktrans"), QStringLiteral("Traslados"), true);
    ckEgre = checkBox(*steps, QStringLiteral("ckEgre"), QStringLiteral("Egresos"), true);
    auto* destination = new QHBoxLayout(GroupBox1);
    destination->setContentsMargins(8, 2, 8, 4);
    destination->setSpacing(10);
    destination->addLayout(fields, 1);
    destination->addLayout(steps);

    SpeedButton1 = speedButton(*this, QStringLiteral("SpeedButton1"), QStringLiteral("F5: Transmitir"),
                               QStyle::SP_ArrowRight);
    SpeedButton1->setEnabled(false);
    SpeedButton2 = speedButton(*this, QStringLiteral("SpeedButton2"), QStringLiteral("Esc: Cancelar"),
                               QStyle::SP_DialogCancelButton);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { transmit(); });
    connect(SpeedButton2, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton2Click(); }); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(8, 2, 8, 4);
    window->setSpacing(2);
    window->addWidget(GroupBox1);
    window->addLayout(buttons);

    // Lies over the fields while a run shows its progress; long database paths wrap or lose their middle.
    Panel5 = new QLabel(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(8, 48, 358, 56);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel5->setAlignment(Qt::AlignCenter);
    Panel5->setWordWrap(true);
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
    // The window opens with the focus in its first field, never unseen on a check box.
    Server->setFocus();
}

} // namespace quelmaro
