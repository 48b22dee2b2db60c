#include "report/setup/setup_form.h"

#include "platform/caption_fit.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "report/report_job.h"
#include "report/setup/fixed_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolButton>

#include <algorithm>

namespace quelmaro {

namespace {

// Where a style draws a group's title above its frame line, the inside of the group starts lower than the
// controls were placed: they all move down by what they lack, so none sits on the title or the frame.
void keepOffTheFrame(QGroupBox& group) {
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const int inside = group.style()
                           ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, &group)
                           .top();
    const QList<QWidget*> controls = group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    int highest = inside;
    for (const QWidget* control : controls)
        highest = std::min(highest, control->y());
    for (QWidget* control : controls)
        control->move(control->x(), control->y() + inside - highest);
}

} // namespace

TdtSetupForm::TdtSetupForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Opciones de impresión"));
    setFixedSize(330, 292);
    setFont(platform::windowFont(QStringLiteral("Arial"), 8));

    GroupBox1 =
        place(new QGroupBox(QStringLiteral("Impresora seleccionada"), this), "GroupBox1", 8, 3, 318, 54);
    // Left of "Configurar", on two lines: a printer's name and port are long.
    PrinterLabel = place(new QLabel(QStringLiteral("(ninguna)"), GroupBox1), "PrinterLabel", 10, 15, 170, 30);
    PrinterLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetupBB = place(new QPushButton(QStringLiteral("Configurar"), GroupBox1), "SetupBB", 184, 16, 121, 30);

    DestGB = place(new QGroupBox(QStringLiteral("Destino del reporte "), this), "DestGB", 4, 60, 325, 121);
    PrinterRB = place(new QRadioButton(QStringLiteral("&Impresora"), DestGB), "PrinterRB", 8, 16, 150, 19);
    PreviewRB =
        place(new QRadioButton(QStringLiteral("&Vista preliminar"), DestGB), "PreviewRB", 8, 36, 150, 19);
    FileRB = place(new QRadioButton(QStringLiteral("&Archivo"), DestGB), "FileRB", 8, 56, 62, 19);
    editFileName = place(new QLineEdit(DestGB), "editFileName", 72, 54, 169, 22);
    FileNameSB = place(new QToolButton(DestGB), "FileNameSB", 247, 54, 20, 20);
    FileNameSB->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    Label1 = place(new QLabel(QStringLiteral("Formato:"), DestGB), "Label1", 8, 82, 60, 17);
    cboxFormat = place(new QComboBox(DestGB), "cboxFormat", 72, 79, 195, 22);

    GroupBox2 = place(new QGroupBox(QStringLiteral("Opciones "), this), "GroupBox2", 8, 183, 318, 65);
    CopiesLabel = place(new QLabel(QStringLiteral("&Copias"), GroupBox2), "CopiesLabel", 17, 19, 60, 15);
    CopiesED = place(new QLineEdit(GroupBox2), "CopiesED", 18, 35, 49, 22);
    CopiesLabel->setBuddy(CopiesED);
    CollateCK = place(new QCheckBox(QStringLiteral("in&tercalar"), GroupBox2), "CollateCK", 115, 17, 120, 19);
    DuplexCK = place(new QCheckBox(QStringLiteral("&Duplex"), GroupBox2), "DuplexCK", 115, 40, 120, 19);

    bbtnOK = place(new QPushButton(QStringLiteral("OK"), this), "bbtnOK", 32, 256, 99, 25);
    BitBtn1 = place(new QPushButton(QStringLiteral("Cancelar"), this), "BitBtn1", 176, 256, 107, 25);
    bbtnOK->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    for (QGroupBox* group : {GroupBox1, DestGB, GroupBox2})
        keepOffTheFrame(*group);

    dlogSave.defaultSuffix = QStringLiteral("ndr");
    editFileName->setEnabled(false);
    FileNameSB->setEnabled(false);
    CopiesED->installEventFilter(this);
    setTabOrder();

    connect(PrinterRB, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            PrinterRBClick(PrinterRB);
    });
    connect(PreviewRB, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            PrinterRBClick(PreviewRB);
    });
    connect(FileRB, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            FileRBClick();
    });
    connect(editFileName, &QLineEdit::textChanged, this, &TdtSetupForm::editFileNameChange);
    connect(FileNameSB, &QToolButton::clicked, this,
            [this] { platform::guarded([this] { FileNameSBClick(); }); });
    connect(cboxFormat, &QComboBox::currentIndexChanged, this, &TdtSetupForm::cboxFormatChange);
    connect(SetupBB, &QPushButton::clicked, this, [this] { platform::guarded([this] { BitBtn1Click(); }); });
    connect(bbtnOK, &QPushButton::clicked, this, &TdtSetupForm::bbtnOKClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TdtSetupForm::~TdtSetupForm() = default;

void TdtSetupForm::setTabOrder() {
    // The browse button between the file name and its format: the keyboard reaches it as the mouse does.
    QWidget* const order[] = {SetupBB, CopiesED,     CollateCK,  DuplexCK,   PrinterRB, PreviewRB,
                              FileRB,  editFileName, FileNameSB, cboxFormat, bbtnOK,    BitBtn1};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    FileNameSB->setFocusPolicy(Qt::StrongFocus);
}

void TdtSetupForm::setVisible(bool visible) {
    if (visible && !isVisible())
        FormShow();
    QDialog::setVisible(visible);
}

bool TdtSetupForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activated_) {
        activated_ = true;
        FormActivate();
    }
    return QDialog::event(event);
}

// Only digits and Backspace can be typed into the copies field; pasting is not filtered.
bool TdtSetupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CopiesED && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plainCharacter =
            !key->text().isEmpty() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plainCharacter) {
            const QChar typed = key->text().front();
            if (typed.isPrint() && !(typed >= u'0' && typed <= u'9'))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Enter presses the button that has the focus, the browse button included, and in the file name it confirms
// as "OK" does; anywhere else it does nothing: the dialog has no default button.
void TdtSetupForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == FileNameSB)
            FileNameSB->click();
        else if (focusWidget() == editFileName && bbtnOK->isEnabled())
            bbtnOK->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TdtSetupForm::FormShow() {
    const TReportJob& job = *ReportSystem;
    const TSystemSetups setups = job.SystemSetups;
    FillFormatList();
    platform::guarded([this] { ShowSelectedPrinter(); });
    if (cboxFormat->currentIndex() < 0)
        cboxFormat->setCurrentIndex(0);

    const bool available = printerAvailable();
    if (!available) {
        // The page is drawn without a printer, so a file needs none either; only the printer is out.
        PrinterRB->setEnabled(false);
        PreviewRB->setEnabled(setups & ssAllowDestPreview);
        FileRB->setEnabled(setups & ssAllowDestFile);
        if (PreviewRB->isEnabled())
            checkDestination(PreviewRB);
        else if (FileRB->isEnabled())
            checkDestination(FileRB);
    } else {
        PrinterRB->setEnabled(setups & ssAllowDestPrinter);
        PreviewRB->setEnabled(setups & ssAllowDestPreview);
        FileRB->setEnabled(setups & ssAllowDestFile);
        switch (job.DefaultDest) {
        case TReportDest::rdPreview:
            checkDestination(PreviewRB);
            break;
        case TReportDest::rdPrinter:
            checkDestination(PrinterRB);
            break;
        case TReportDest::rdFile:
            checkDestination(FileRB);
            break;
        }
    }

    // Without any destination there is nothing to confirm; a file run must never start without a name.
    if (!PrinterRB->isChecked() && !PreviewRB->isChecked() && !FileRB->isChecked())
        bbtnOK->setEnabled(false);

    CopiesED->setText(QString::number(job.SystemPrinter.Copies));
    if (!available) {
        for (QWidget* option : {static_cast<QWidget*>(CollateCK), static_cast<QWidget*>(CopiesED),
                                static_cast<QWidget*>(CopiesLabel), static_cast<QWidget*>(DuplexCK),
                                static_cast<QWidget*>(SetupBB)})
            option->setEnabled(false);
    } else {
        if (!(setups & ssAllowCollate))
            CollateCK->setEnabled(false);
        if (!(setups & ssAllowCopies)) {
            CopiesED->setEnabled(false);
            CopiesLabel->setEnabled(false);
        }
        if (!(setups & ssAllowDuplex))
            DuplexCK->setEnabled(false);
        if (!(setups & ssAllowPrinterSetup))
            SetupBB->setEnabled(false);
    }
}

// Checking a destination runs its click handler even when it was already checked, so the window follows it.
void TdtSetupForm::checkDestination(QRadioButton* button) {
    if (button->isChecked()) {
        if (button == FileRB)
            FileRBClick();
        else
            PrinterRBClick(button);
    } else {
        button->setChecked(true);
    }
}

void TdtSetupForm::FormActivate() {
    bbtnOK->setFocus(Qt::ActiveWindowFocusReason);
}

void TdtSetupForm::PrinterRBClick(QRadioButton* sender) {
    editFileName->setEnabled(false);
    FileNameSB->setEnabled(false);
    cboxFormat->setEnabled(false);
    bbtnOK->setEnabled(true);
    // Without a printer there is nothing to configure.
    SetupBB->setEnabled(printerAvailable());
    const bool printer = sender == PrinterRB;
    CopiesED->setEnabled(printer);
    CollateCK->setEnabled(printer);
    DuplexCK->setEnabled(printer);
}

void TdtSetupForm::FileRBClick() {
    editFileName->setEnabled(true);
    FileNameSB->setEnabled(true);
    cboxFormat->setEnabled(true);
    SetupBB->setEnabled(false);
    editFileNameChange();
}

void TdtSetupForm::editFileNameChange() {
    bbtnOK->setEnabled(!editFileName->text().trimmed().isEmpty());
}

void TdtSetupForm::FileNameSBClick() {
    const std::optional<platform::SaveFileChoice> choice = platform::messages().saveFileName(dlogSave);
    if (!choice)
        return;
    dlogSave.fileName = choice->fileName;
    dlogSave.selectedFilter = choice->selectedFilter;
    editFileName->setText(choice->fileName);
    if (choice->selectedFilter >= 0 && choice->selectedFilter < cboxFormat->count())
        cboxFormat->setCurrentIndex(choice->selectedFilter);
}

void TdtSetupForm::cboxFormatChange() {
    const int chosen = cboxFormat->currentIndex();
    dlogSave.selectedFilter = chosen;
    // A name typed in the save dialog without an extension takes the chosen format's.
    if (chosen >= 0)
        dlogSave.defaultSuffix = formats_.at(size_t(chosen)).extension.mid(1);
}

void TdtSetupForm::BitBtn1Click() {
    JobPrinter& printer = ReportSystem->printer();
    if (printer.hasPrinters())
        platform::messages().printerSetup(printer.device());
    ShowSelectedPrinter();
}

void TdtSetupForm::ShowSelectedPrinter() {
    JobPrinter& printer = ReportSystem->printer();
    if (!printer.hasPrinters()) {
        platform::setWrappedCaption(*PrinterLabel, QStringLiteral("No hay impresoras instaladas!"));
        return;
    }
    // Named as not available until it opens: a printer that does not open is reported next.
    platform::setWrappedCaption(
        *PrinterLabel, printer.name().isEmpty() ? QStringLiteral("Ninguna impresora disponible")
                                                : QStringLiteral("%1 (no disponible)").arg(printer.name()));
    printer.open();
    const QString port = printer.port();
    platform::setWrappedCaption(*PrinterLabel, port.isEmpty()
                                                   ? printer.name()
                                                   : QStringLiteral("%1 en %2").arg(printer.name(), port));
}

void TdtSetupForm::FillFormatList() {
    formats_ = reportFileFormats();
    cboxFormat->clear();
    for (const FileFormat& format : formats_)
        cboxFormat->addItem(format.displayName);
    // A refilled list has no format chosen yet.
    cboxFormat->setCurrentIndex(-1);
    dlogSave.filters = fileTypes(formats_);
}

bool TdtSetupForm::printerAvailable() const {
    JobPrinter& printer = ReportSystem->printer();
    return printer.hasPrinters() && printer.isValid();
}

void TdtSetupForm::bbtnOKClick() {
    TReportJob& job = *ReportSystem;
    if (PrinterRB->isChecked() || PreviewRB->isChecked()) {
        job.Destination = PrinterRB->isChecked() ? TReportDest::rdPrinter : TReportDest::rdPreview;
        job.OutputFile.clear();
    } else {
        const FileFormat& format = formats_.at(size_t(std::max(0, cboxFormat->currentIndex())));
        job.Destination = TReportDest::rdFile;
        job.OutputFile = outputFileName(editFileName->text(), format, formats_);
        job.NativeOutput = format.nativeOutput;
        job.FileRenderer = format.renderer;
    }

    PrinterSettings& printer = job.SystemPrinter;
    if (job.SystemSetups & ssAllowCopies) {
        bool valid = false;
        const int copies = CopiesED->text().toInt(&valid, 10);
        // A negative count is no number of copies; it is ignored like any other invalid text.
        if (valid && copies >= 0)
            printer.Copies = copies;
    }
    if (job.SystemSetups & ssAllowCollate)
        printer.Collate = CollateCK->isChecked();
    if (job.SystemSetups & ssAllowDuplex) {
        if (!DuplexCK->isChecked())
            printer.Duplex = DuplexMode::OneSided;
        else if (printer.Duplex == DuplexMode::OneSided)
            printer.Duplex = DuplexMode::LongEdge;
    }
    accept();
}

} // namespace quelmaro
