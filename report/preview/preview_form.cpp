#include "report/preview/preview_form.h"

#include "data/types/errors.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "report/preview/number_edit.h"
#include "report/preview/preview_keys.h"
#include "report/preview/toolbar_icons.h"
#include "report/render_preview.h"
#include "report/render_printer.h"
#include "report/report_job.h"
#include "report/setup/fixed_layout.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace quelmaro {

namespace {

constexpr int kToolbarHeight = 30;
constexpr int kButtonTop = 5;
// "Cerrar" right after the zoom, with the toolbar's other controls, however wide the window is.
constexpr int kCloseLeft = 481;
// Room for every control of the toolbar and a strip of the page.
constexpr QSize kMinimumSize(kCloseLeft + 25 + 13, 240);

int toPageNumber(const QString& text) {
    bool valid = false;
    const int page = text.toInt(&valid, 10);
    if (!valid)
        throw ConversionError(QStringLiteral("'%1' no es un número entero válido").arg(text));
    return page;
}

} // namespace

TFormMyPreview::TFormMyPreview(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Custom Preview Form"));
    setFont(platform::windowFont(QStringLiteral("Arial"), 10));
    setMinimumSize(kMinimumSize);
    resize(615, 450);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolbar());
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(ScrollBox1, 1);
    sbarMain = new QStatusBar(this);
    sbarMain->setObjectName(QStringLiteral("sbarMain"));
    layout->addWidget(sbarMain);

    RenderPreview = new TRenderPreview(this);
    RenderPrinter = new TRenderPrinter(this);
    connect(RenderPreview, &TRenderPreview::OnPageChange, this, &TFormMyPreview::NDRPreviewPageChange);
    RenderPreview->setZoomFactor(100);
    RenderPreview->setScrollBox(ScrollBox1);
    // The sheet in the middle of a darker desk, not against the left edge.
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setBackgroundRole(QPalette::Dark);

    OpenDialog1.filter = {QStringLiteral("Vista previa de reportes"), QStringLiteral("*.ndr")};
    OpenDialog1.defaultSuffix = QStringLiteral("ndr");

    // The window sees every key before the control that has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    // It opens maximized unless the print run gives it the job's window state.
    setWindowState(Qt::WindowMaximized);
}

TFormMyPreview::~TFormMyPreview() = default;

QWidget* TFormMyPreview::createToolbar() {
    auto* toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("ToolbarPanel"));
    toolbar->setFixedHeight(kToolbarHeight);
    const QStyle& look = *style();

    SpeedButton6 = addToolButton(toolbar, "SpeedButton6", 13, look.standardIcon(QStyle::SP_DialogOpenButton),
                                 QStringLiteral("Abrir reporte guardado"));
    SpeedButton7 =
        addToolButton(toolbar, "SpeedButton7", 45, printIcon(), QStringLiteral("Imprimir reporte"));
    SpeedButton1 = addToolButton(toolbar, "SpeedButton1", 96, look.standardIcon(QStyle::SP_MediaSkipBackward),
                                 QStringLiteral("Primera página"));
    SpeedButton2 =
        addToolButton(toolbar, "SpeedButton2", 120, look.standardIcon(QStyle::SP_MediaSeekBackward),
                      QStringLiteral("Página anterior"));
    SpeedButton3 = addToolButton(toolbar, "SpeedButton3", 144, look.standardIcon(QStyle::SP_MediaSeekForward),
                                 QStringLiteral("Página siguiente"));
    SpeedButton4 = addToolButton(toolbar, "SpeedButton4", 168, look.standardIcon(QStyle::SP_MediaSkipForward),
                                 QStringLiteral("Ultima página"));

    auto* pageLabel =
        place(new QLabel(QStringLiteral("Pág."), toolbar), "PageLabel", 212, kButtonTop, 32, 20);
    pageLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblPageNo = place(new QLineEdit(toolbar), "lblPageNo", 246, kButtonTop, 27, 20);
    pageLabel->setBuddy(lblPageNo);
    Label1 = place(new QLabel(QStringLiteral("de "), toolbar), "Label1", 280, kButtonTop, 44, 20);

    SpeedButton8 =
        addToolButton(toolbar, "SpeedButton8", 325, zoomIcon(true), QStringLiteral("Aumentar zoom"));
    SpeedButton9 =
        addToolButton(toolbar, "SpeedButton9", 349, zoomIcon(false), QStringLiteral("Disminuir zoom"));
    Label3 = place(new QLabel(QStringLiteral("Zoom:"), toolbar), "Label3", 376, kButtonTop, 40, 20);
    ZoomNumberEdit = place(new NumberEdit(toolbar), "ZoomNumberEdit", 416, kButtonTop, 49, 20);
    ZoomNumberEdit->setDisplayFormat(QStringLiteral("###%"));
    ZoomNumberEdit->setLimits(10, 100);
    ZoomNumberEdit->setStep(10);
    ZoomNumberEdit->setValue(100);

    BtnClose = place(new QPushButton(toolbar), "BtnClose", kCloseLeft, 2, 25, 25);
    BtnClose->setIcon(look.standardIcon(QStyle::SP_DialogCloseButton));
    BtnClose->setToolTip(QStringLiteral("Cerrar"));

    connect(SpeedButton6, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton6Click(); }); });
    connect(SpeedButton7, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { SpeedButton7Click(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { RenderPreview->ShowPage(1); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { RenderPreview->PreviousPage(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { RenderPreview->NextPage(); });
    connect(SpeedButton4, &QToolButton::clicked, this,
            [this] { RenderPreview->ShowPage(RenderPreview->PageCount()); });
    connect(SpeedButton8, &QToolButton::clicked, this, &TFormMyPreview::SpeedButton8Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TFormMyPreview::SpeedButton9Click);
    connect(ZoomNumberEdit, &NumberEdit::valueChanged, this,
            [this] { platform::guarded([this] { ZoomNumberEditChange(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::close);
    return toolbar;
}

QToolButton* TFormMyPreview::addToolButton(QWidget* toolbar, const char* name, int left, const QIcon& icon,
                                           const QString& hint) {
    auto* button = place(new QToolButton(toolbar), name, left, kButtonTop, 20, 20);
    button->setIcon(icon);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    // Toolbar buttons never take the focus from the page number or the zoom being typed.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TFormMyPreview::setVisible(bool visible) {
    if (visible && !isVisible() && !testAttribute(Qt::WA_Moved)) {
        const QRect available = screen()->availableGeometry();
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            resize(openingSize(available.size()));
        // Centred on the screen, not over the window that owns it.
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::setVisible(visible);
}

// The whole width of the page at its zoom, and as much of its height as the screen has room for; never
// more than nine tenths of the screen, which leaves room for the window's frame.
QSize TFormMyPreview::openingSize(const QSize& screen) const {
    const QSize page = RenderPreview->pageImage().size();
    const int frames = 2 * ScrollBox1->frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ScrollBox1);
    const QSize wanted(page.width() + frames + scrollBar,
                       kToolbarHeight + page.height() + frames + scrollBar + sbarMain->sizeHint().height());
    return size().expandedTo(wanted).boundedTo(screen * 0.9).expandedTo(minimumSize());
}

void TFormMyPreview::StartPreview() {
    if (!PreviewFile.isEmpty())
        RenderPreview->RenderFile(PreviewFile);
    else if (PreviewStream)
        RenderPreview->RenderStream(*PreviewStream);
    showPageCount();
    ZoomNumberEdit->setValue(RenderPreview->ZoomFactor());
}

void TFormMyPreview::showPageCount() {
    Label1->setText(QStringLiteral("de ") + QString::number(RenderPreview->PageCount()));
}

void TFormMyPreview::NDRPreviewPageChange() {
    lblPageNo->setText(QString::number(RenderPreview->CurrentPage()));
}

bool TFormMyPreview::eventFilter(QObject* watched, QEvent* event) {
    // A key the focused control lets pass travels on to its parents; it is seen once, at the control.
    if (event->type() == QEvent::KeyPress && watched == focusWidget()) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (FormKeyDown(key) || FormKeyPress(key))
            return true;
        // Enter takes the typed page number as leaving the field does.
        if (watched == lblPageNo && (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter))
            platform::guarded([this] { lblPageNoExit(); });
    } else if (event->type() == QEvent::FocusOut && watched == lblPageNo) {
        // Losing the window's activation (a message box, another program) is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            platform::guarded([this] { lblPageNoExit(); });
    }
    return QDialog::eventFilter(watched, event);
}

// Keys that reach the window itself: those it has no focused control for, and those a control let pass
// (handling those again changes nothing). Enter presses no default button: the window has none.
void TFormMyPreview::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(*event) || FormKeyPress(*event) || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFormMyPreview::FormKeyDown(const QKeyEvent& event) {
    return scrollPagesByKey(event.key(), event.modifiers(), *ScrollBox1, *RenderPreview);
}

bool TFormMyPreview::FormKeyPress(const QKeyEvent& event) {
    const QChar typed = typedCharacter(event);
    if (typed.isNull())
        return false;
    switch (typedCharacterAction(typed)) {
    case TypedCharacter::Close:
        close();
        return true;
    case TypedCharacter::Discard:
        return true;
    case TypedCharacter::LastPage:
        RenderPreview->ShowPage(RenderPreview->PageCount());
        return true;
    case TypedCharacter::NextPage:
        if (RenderPreview->PageCount() > RenderPreview->CurrentPage())
            RenderPreview->NextPage();
        return true;
    case TypedCharacter::PreviousPage:
        if (RenderPreview->CurrentPage() > 1)
            RenderPreview->PreviousPage();
        return true;
    case TypedCharacter::PassOn:
        break;
    }
    return false;
}

void TFormMyPreview::lblPageNoExit() {
    RenderPreview->ShowPage(toPageNumber(lblPageNo->text()));
}

void TFormMyPreview::SpeedButton8Click() {
    RenderPreview->setZoomFactor(RenderPreview->ZoomFactor() + RenderPreview->ZoomInc());
    ZoomNumberEdit->setValue(RenderPreview->ZoomFactor());
}

void TFormMyPreview::SpeedButton9Click() {
    if (RenderPreview->ZoomFactor() <= 10)
        return;
    RenderPreview->setZoomFactor(RenderPreview->ZoomFactor() - RenderPreview->ZoomInc());
    ZoomNumberEdit->setValue(RenderPreview->ZoomFactor());
}

void TFormMyPreview::ZoomNumberEditChange() {
    const double zoom = ZoomNumberEdit->value();
    // The zoom buttons set the renderer first; drawing the page again would change nothing.
    if (zoom != RenderPreview->ZoomFactor())
        RenderPreview->setZoomFactor(zoom);
}

void TFormMyPreview::SpeedButton7Click() {
    const PageStore* shown = RenderPreview->pageStore();
    if (!shown)
        return;
    JobPrinter* jobPrinter = ReportSystem ? &ReportSystem->printer() : nullptr;
    // The dialog works on a printer of its own: what is chosen there does not change the report printer.
    QPrinter dialogPrinter(QPrinter::HighResolution);
    if (jobPrinter)
        dialogPrinter.setPrinterName(jobPrinter->name());
    if (!platform::messages().print(dialogPrinter, 1, RenderPreview->PageCount()))
        return;
    RenderPrinter->setPrinter(jobPrinter);
    RenderPrinter->RenderStream(*shown);
}

void TFormMyPreview::SpeedButton6Click() {
    if (const std::optional<QString> fileName = platform::messages().openFileName(OpenDialog1))
        OpenSnapshot(*fileName);
}

void TFormMyPreview::OpenSnapshot(const QString& fileName) {
    // A file that cannot be read leaves the pages shown so far in view.
    RenderPreview->RenderFile(fileName);
    setWindowTitle(QGuiApplication::applicationDisplayName() + QStringLiteral(" - [ ") +
                   QFileInfo(fileName).fileName() + QStringLiteral(" ]"));
    showPageCount();
}

} // namespace quelmaro
