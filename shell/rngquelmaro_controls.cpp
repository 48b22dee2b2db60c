// The controls of the main window, their sizes, texts and tab order.
#include "shell/rngquelmaro.h"

#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/tab_focus.h"
#include "shell/date_field.h"
#include "shell/point_fields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QVBoxLayout>

namespace quelmaro {

namespace {

// The label in `column` of `row`, the field it names right of it over `columns` columns.
void addLabelled(QGridLayout& grid, int row, int column, const QString& label, QWidget* field,
                 int columns = 1) {
    auto* text = new QLabel(label);
    text->setBuddy(field);
    grid.addWidget(text, row, column);
    grid.addWidget(field, row, column + 1, 1, columns, Qt::AlignLeft);
}

QLineEdit* lineEdit(const QString& name, int width = 0) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

// At least `width` pixels, and wide enough to show `widest` whole in the window's font.
void holdWhole(QLineEdit& edit, const QString& widest, int width) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit);
    const QMargins margins = edit.textMargins();
    const int lineEditMargin = 2; // QLineEdit's own room either side of the text
    const QSize text(edit.fontMetrics().horizontalAdvance(widest) + 2 * lineEditMargin + margins.left() +
                         margins.right() + 1,
                     edit.fontMetrics().height());
    edit.setFixedWidth(
        qMax(width, edit.style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, &edit).width()));
}

QComboBox* dropDownList(const QString& name, int width = 0) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setEditable(false);
    if (width > 0)
        list->setFixedWidth(width);
    return list;
}

QDateEdit* datePicker(const QString& name) {
    auto* picker = new DateField;
    picker->setObjectName(name);
    picker->setDate(platform::today());
    picker->setEnabled(false);
    return picker;
}

// A flat button 65 by 50 pixels with its image above its caption. Like the keys, it never takes the focus.
QToolButton* flatButton(const QString& name, const QString& caption, const QIcon& image) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(image);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(65, 50);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(platform::windowFont(QStringLiteral("Arial Narrow"), 8));
    return button;
}

// Tight enough for every control to fit the window's 363 by 345 pixels with the system's fonts.
void compact(QGridLayout& layout) {
    layout.setContentsMargins(6, 2, 6, 4);
    layout.setHorizontalSpacing(4);
    layout.setVerticalSpacing(3);
}

QIcon themeIcon(const QString& name, QStyle::StandardPixmap fallback, const QWidget& window) {
    return QIcon::fromTheme(name, window.style()->standardIcon(fallback));
}

} // namespace

void Tfquelmaro::buildControls() {
    setWindowTitle(QStringLiteral("Resumen diario"));
    setFont(platform::windowFont(QStringLiteral("MS Sans Serif"), 8));
    // A fixed window: its controls are laid out for this size.
    setFixedSize(363, 345);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    platform::showFocusFrames(*this);

    auto* topText = new QLabel(QStringLiteral(
        "Este programa imprime un reporte de resumen de operaciones diario, así como una proyección mensual "
        "de las ventas y compras o transmite un resumen de las ventas diarias"));
    topText->setWordWrap(true);
    topText->setFixedHeight(57);
    topText->setMargin(4);

    GroupBox1 = new QGroupBox(QStringLiteral("Origen:"));
    GroupBox1->setFixedHeight(105);
    // The whole width of the group, for a server entry with its folder.
    Servidor = dropDownList(QStringLiteral("Servidor"));
    Servidor->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Servidor->setMinimumContentsLength(1);
    // An entry longer than the field is read whole on hovering it.
    connect(Servidor, &QComboBox::currentTextChanged, Servidor, &QWidget::setToolTip);
    Tusua = lineEdit(QStringLiteral("Tusua"), 100);
    TClave = lineEdit(QStringLiteral("TClave"), 100);
    TClave->setEchoMode(QLineEdit::Password);
    Cia = lineEdit(QStringLiteral("Cia"), 45);
    auto* origin = new QGridLayout(GroupBox1);
    compact(*origin);
    auto* serverLabel = new QLabel(QStringLiteral("Servidor : "));
    serverLabel->setBuddy(Servidor);
    origin->addWidget(serverLabel, 0, 0);
    origin->addWidget(Servidor, 0, 1, 1, 3);
    addLabelled(*origin, 1, 0, QStringLiteral("Usuario : "), Tusua);
    addLabelled(*origin, 1, 2, QStringLiteral("Clave : "), TClave);
    addLabelled(*origin, 2, 0, QStringLiteral("Compañía:"), Cia);
    origin->setColumnStretch(3, 1);

    GroupBox2 = new QGroupBox(QStringLiteral("Parámetros "));
    EFecIni = datePicker(QStringLiteral("EFecIni"));
    EFecfin = datePicker(QStringLiteral("EFecfin"));
    CboAgencia = dropDownList(QStringLiteral("CboAgencia"), 265);
    CboAgencia->setMaxVisibleItems(4);
    // Room for the widest range the closing report and the transmission write back.
    Ptoini = lineEdit(QStringLiteral("Ptoini"));
    Ptofin = lineEdit(QStringLiteral("Ptofin"));
    holdWhole(*Ptoini, QStringLiteral("999999"), 33);
    holdWhole(*Ptofin, QStringLiteral("999999"), 33);
    new shell::PointRangeFields(*Ptoini, *Ptofin, this);
    Revision = new QLabel(QStringLiteral("Rev:2020/01/24"));
    Revision->setFont(platform::windowFont(QStringLiteral("Arial"), 8));
    auto* parameters = new QGridLayout(GroupBox2);
    compact(*parameters);
    addLabelled(*parameters, 0, 0, QStringLiteral("Desde:"), EFecIni);
    addLabelled(*parameters, 0, 2, QStringLiteral("Hasta:"), EFecfin);
    addLabelled(*parameters, 1, 0, QStringLiteral("Agencia:"), CboAgencia, 3);
    auto* points = new QHBoxLayout;
    points->addWidget(Ptoini);
    points->addWidget(Ptofin);
    points->addStretch();
    auto* pointsLabel = new QLabel(QStringLiteral("Puntos venta:"));
    pointsLabel->setBuddy(Ptoini);
    parameters->addWidget(pointsLabel, 2, 0);
    parameters->addLayout(points, 2, 1, 1, 3);
    parameters->addWidget(Revision, 2, 3, Qt::AlignRight | Qt::AlignBottom);
    parameters->setRowStretch(3, 1);

    SpeedButton3 = flatButton(QStringLiteral("SpeedButton3"), QStringLiteral("F2: Imprimir"),
                              themeIcon(QStringLiteral("document-print"), QStyle::SP_FileIcon, *this));
    SpeedButton1 = flatButton(QStringLiteral("SpeedButton1"), QStringLiteral("F5: Transmitir"),
                              themeIcon(QStringLiteral("network-transmit"), QStyle::SP_ArrowForward, *this));
    SpeedButton2 =
        flatButton(QStringLiteral("SpeedButton2"), QStringLiteral("Esc: Cancelar"),
                   themeIcon(QStringLiteral("process-stop"), QStyle::SP_DialogCancelButton, *this));
    SpeedButton3->setEnabled(false);
    SpeedButton1->setEnabled(false);
    auto* bottom = new QWidget;
    bottom->setFixedHeight(52);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(0, 1, 0, 1);
    buttons->addStretch();
    buttons->addWidget(SpeedButton3);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    buttons->addStretch();

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(topText);
    window->addWidget(GroupBox1);
    window->addWidget(GroupBox2, 1);
    window->addWidget(bottom);

    // Lies over the upper part of the window while shown; the program sets its caption each time.
    Panel5 = new QLabel(QStringLiteral("Generando informe. espere un momento..."), this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setGeometry(8, 84, 337, 41);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel5->setAlignment(Qt::AlignCenter);
    Panel5->setAutoFillBackground(true);
    Panel5->setFont(platform::windowFont(QStringLiteral("MS Sans Serif"), 10));
    Panel5->setWordWrap(true);
    Panel5->setStyleSheet(QStringLiteral("color: navy"));
    Panel5->hide();

    enterFields_ = {Servidor, Tusua, TClave, Cia, EFecIni, EFecfin, CboAgencia, Ptoini, Ptofin};
    for (qsizetype i = 1; i < enterFields_.size(); ++i)
        setTabOrder(enterFields_[i - 1], enterFields_[i]);
}

} // namespace quelmaro
