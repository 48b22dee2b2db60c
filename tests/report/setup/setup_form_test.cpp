#include "platform/fonts.h"
#include "platform/recording_messages.h"
#include "report/render_pdf.h"
#include "report/render_rtf.h"
#include "report/render_text.h"
#include "report/report_job.h"
#include "report/setup/setup_form.h"
#include "tests/report/report_test_support.h"
#include "tests/report/setup/window_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

#include <unistd.h>

// The print setup dialog used as an operator would, with a printer installed (the CUPS test queue) and,
// in the NoPrinter cases, with none at all.
namespace quelmaro {
namespace {

using platform::DialogKind;

class SetupForm : public testing::Test {
protected:
    void SetUp() override {
        job.DefaultDest = TReportDest::rdPrinter;
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
    }

    void show() { test::showActive(*form); }

    template <typename Widget> Widget* control(const char* name) {
        return test::control<Widget>(*form, name);
    }
    QRadioButton* radio(const char* name) { return control<QRadioButton>(name); }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }
    QLineEdit* fileName() { return control<QLineEdit>("editFileName"); }
    QLineEdit* copies() { return control<QLineEdit>("CopiesED"); }
    QComboBox* formats() { return control<QComboBox>("cboxFormat"); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }

    // Alt with the underlined letter; the button then clicks itself after a short animation.
    void pressMnemonic(Qt::Key letter, const char* target) {
        auto* pressed = control<QAbstractButton>(target);
        const bool before = pressed->isChecked();
        QTest::keyClick(form.get(), letter, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pressed->isChecked() != before; }, 2000)) << target;
    }

    // At the button's own text: the space right of it takes no clicks.
    void clickRadio(const char* name) {
        QRadioButton* button = radio(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    void confirm() {
        QTest::mouseClick(button("bbtnOK"), Qt::LeftButton);
        EXPECT_EQ(form->result(), QDialog::Accepted);
    }

    platform::ScopedRecording messages;
    // The file renderers of the closing window, in the order it creates them.
    TRenderRTF rtf;
    TRenderText text;
    TRenderPdf pdf;
    TReportJob job;
    std::unique_ptr<TdtSetupForm> form;
};

class WithPrinter : public SetupForm {
protected:
    void SetUp() override {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            GTEST_SKIP() << "no printer installed; scripts/services.sh starts the test queue";
        SetupForm::SetUp();
    }
};

class NoPrinter : public SetupForm {
protected:
    void SetUp() override {
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty())
            << "these cases need a system without printers";
        SetupForm::SetUp();
    }
};

struct Placed {
    const char* name;
    const char* parent;
    QString text;
    QRect geometry; // an empty size: only the position is fixed
};

TEST_F(SetupForm, CreatedWithEveryControlInItsPlace) {
    const Placed controls[] = {
        {"GroupBox1", "", QStringLiteral("Impresora seleccionada"), {8, 3, 318, 54}},
        {"PrinterLabel", "GroupBox1", QStringLiteral("(ninguna)"), {10, 15, 170, 30}},
        {"SetupBB", "GroupBox1", QStringLiteral("Configurar"), {184, 16, 121, 30}},
        {"DestGB", "", QStringLiteral("Destino del reporte "), {4, 60, 325, 121}},
        {"PrinterRB", "DestGB", QStringLiteral("&Impresora"), {8, 16, 0, 0}},
        {"PreviewRB", "DestGB", QStringLiteral("&Vista preliminar"), {8, 36, 0, 0}},
        {"FileRB", "DestGB", QStringLiteral("&Archivo"), {8, 56, 0, 0}},
        {"editFileName", "DestGB", QString(), {72, 54, 169, 22}},
        {"FileNameSB", "DestGB", QString(), {247, 54, 20, 20}},
        {"Label1", "DestGB", QStringLiteral("Formato:"), {8, 82, 0, 0}},
        {"cboxFormat", "DestGB", QString(), {72, 79, 195, 22}},
        {"GroupBox2", "", QStringLiteral("Opciones "), {8, 183, 318, 65}},
        {"CopiesLabel", "GroupBox2", QStringLiteral("&Copias"), {17, 19, 0, 0}},
        {"CopiesED", "GroupBox2", QString(), {18, 35, 49, 22}},
        {"CollateCK", "GroupBox2", QStringLiteral("in&tercalar"), {115, 17, 0, 0}},
        {"DuplexCK", "GroupBox2", QStringLiteral("&Duplex"), {115, 40, 0, 0}},
        {"bbtnOK", "", QStringLiteral("OK"), {32, 256, 99, 25}},
        {"BitBtn1", "", QStringLiteral("Cancelar"), {176, 256, 107, 25}},
    };
    QHash<QString, int> lowerInGroup;
    for (const Placed& expected : controls) {
        SCOPED_TRACE(expected.name);
        QWidget* widget = control<QWidget>(expected.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(expected.parent));
        QString shown;
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            shown = group->title();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            shown = label->text();
        else if (auto* pressable = qobject_cast<QAbstractButton*>(widget))
            shown = pressable->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            shown = edit->text();
        EXPECT_EQ(shown, expected.text);
        // Inside a group the style may need the controls lower, off its title: all of them by as much.
        const int lower = widget->y() - expected.geometry.y();
        if (*expected.parent) {
            EXPECT_GE(lower, 0);
            EXPECT_EQ(lower, lowerInGroup.value(QLatin1String(expected.parent), lower));
            lowerInGroup.insert(QLatin1String(expected.parent), lower);
        } else {
            EXPECT_EQ(lower, 0) << "only inside a group";
        }
        EXPECT_EQ(widget->x(), expected.geometry.x());
        if (!expected.geometry.size().isEmpty()) {
            EXPECT_EQ(widget->size(), expected.geometry.size());
        }
    }
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Opciones de impresión"));
    EXPECT_EQ(form->size(), QSize(330, 292));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "the dialog cannot be resized";
    EXPECT_EQ(form->font().family(), platform::fontFamily(QStringLiteral("Arial")));
    EXPECT_EQ(form->font().pointSize(), 8);
    EXPECT_FALSE(fileName()->isEnabled());
    EXPECT_FALSE(enabled("FileNameSB"));
    EXPECT_EQ(control<QLabel>("CopiesLabel")->buddy(), copies());
}

TEST_F(SetupForm, TabGoesThroughTheOptionsThenTheDestinationThenTheButtons) {
    const QStringList expected = {
        QStringLiteral("SetupBB"),    QStringLiteral("CopiesED"),     QStringLiteral("CollateCK"),
        QStringLiteral("DuplexCK"),   QStringLiteral("PrinterRB"),    QStringLiteral("PreviewRB"),
        QStringLiteral("FileRB"),     QStringLiteral("editFileName"), QStringLiteral("FileNameSB"),
        QStringLiteral("cboxFormat"), QStringLiteral("bbtnOK"),       QStringLiteral("BitBtn1")};
    QStringList chain;
    QWidget* widget = control<QWidget>("SetupBB");
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != control<QWidget>("SetupBB"));
    EXPECT_EQ(chain, expected);
}

TEST_F(WithPrinter, FormatListAndSaveDialogTypesFollowTheRegistry) {
    show();
    const QStringList expected = {
        QStringLiteral("Report Snapshot File (NDR)"), QStringLiteral("Native Printer Output (PRN)"),
        QStringLiteral("Rich Text Format (RTF)"), QStringLiteral("Plain Text (TXT)"),
        QStringLiteral("Portable Document Format (PDF)")};
    QStringList items;
    for (int i = 0; i < formats()->count(); ++i)
        items << formats()->itemText(i);
    EXPECT_EQ(items, expected);
    EXPECT_EQ(formats()->currentIndex(), 0) << "the dialog always opens with the snapshot format";

    // The save dialog offers the same types in the same order and starts at the chosen format.
    messages.answerCancel(DialogKind::SaveFile);
    radio("FileRB")->click();
    formats()->setCurrentIndex(3);
    QTest::mouseClick(control<QToolButton>("FileNameSB"), Qt::LeftButton);
    ASSERT_EQ(messages.dialogs().size(), 1);
    const auto& request = std::get<platform::SaveFileRequest>(messages.dialogs().front());
    const QList<platform::FileFilter> types = {{expected[0], QStringLiteral("*.NDR")},
                                               {expected[1], QStringLiteral("*.PRN")},
                                               {expected[2], QStringLiteral("*.rtf")},
                                               {expected[3], QStringLiteral("*.txt")},
                                               {expected[4], QStringLiteral("*.pdf")}};
    EXPECT_EQ(request.filters, types);
    EXPECT_EQ(request.selectedFilter, 3);
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("txt")) << "a name typed there takes the chosen format's";
    EXPECT_TRUE(fileName()->text().isEmpty()) << "a cancelled save dialog changes nothing";
}

TEST_F(WithPrinter, AnInactiveRendererIsNoFormatAndRenamingMovesItLast) {
    text.setActive(false);
    rtf.setDisplayName(rtf.DisplayName());
    show();
    QStringList items;
    for (int i = 2; i < formats()->count(); ++i)
        items << formats()->itemText(i);
    EXPECT_EQ(items, QStringList({QStringLiteral("Portable Document Format (PDF)"),
                                  QStringLiteral("Rich Text Format (RTF)")}));
}

TEST_F(WithPrinter, ChosenFileTypeSelectsItsFormat) {
    show();
    radio("FileRB")->click();
    messages.answerSaveFile(QStringLiteral("/tmp/informes/cierre.txt"), 3);
    QTest::mouseClick(control<QToolButton>("FileNameSB"), Qt::LeftButton);
    EXPECT_EQ(fileName()->text(), QStringLiteral("/tmp/informes/cierre.txt"));
    EXPECT_EQ(formats()->currentIndex(), 3);
    EXPECT_TRUE(enabled("bbtnOK"));

    // The next browse starts from the file and type chosen last.
    messages.answerCancel(DialogKind::SaveFile);
    QTest::mouseClick(control<QToolButton>("FileNameSB"), Qt::LeftButton);
    const auto& again = std::get<platform::SaveFileRequest>(messages.dialogs().back());
    EXPECT_EQ(again.fileName, QStringLiteral("/tmp/informes/cierre.txt"));
    EXPECT_EQ(again.selectedFilter, 3);

    confirm();
    EXPECT_EQ(job.Destination, TReportDest::rdFile);
    EXPECT_EQ(job.OutputFile, QStringLiteral("/tmp/informes/cierre.txt"));
    EXPECT_EQ(job.FileRenderer, &text);
    EXPECT_FALSE(job.NativeOutput);
}

struct FileCase {
    const char* typed;
    int format;
    const char* outputFile;
    bool nativeOutput;
    int renderer; // 0 none, 1 RTF, 2 text, 3 PDF
};

TEST_F(WithPrinter, ConfirmedFileNameEndsInTheChosenFormatsExtension) {
    const FileCase cases[] = {
        {"cierre", 0, "cierre.ndr", false, 0},
        {"cierre", 1, "cierre.prn", true, 0},
        {"cierre", 2, "cierre.rtf", false, 1},
        {"cierre", 3, "cierre.txt", false, 2},
        {"cierre", 4, "cierre.pdf", false, 3},
        {"  cierre  ", 0, "cierre.ndr", false, 0},
        // A "." in a folder is no extension; another format's extension gives way; the operator's own stays.
        {"c:\\informes.2007\\cierre", 2, "c:\\informes.2007\\cierre.rtf", false, 1},
        {"/tmp/informes.2007/cierre", 4, "/tmp/informes.2007/cierre.pdf", false, 3},
        {"/tmp/cierre.ndr", 3, "/tmp/cierre.txt", false, 2},
        {"/tmp/cierre.TXT", 3, "/tmp/cierre.TXT", false, 2},
        {"/tmp/cierre.dat", 1, "/tmp/cierre.dat", true, 0},
    };
    const TFileRenderer* renderers[] = {nullptr, &rtf, &text, &pdf};
    for (const FileCase& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " as format " + std::to_string(c.format));
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.NativeOutput = !c.nativeOutput;
        show();
        clickRadio("FileRB");
        QTest::keyClicks(fileName(), QString::fromUtf8(c.typed));
        formats()->setCurrentIndex(c.format);
        confirm();
        EXPECT_EQ(job.Destination, TReportDest::rdFile);
        EXPECT_EQ(job.OutputFile, QString::fromUtf8(c.outputFile));
        EXPECT_EQ(job.NativeOutput, c.nativeOutput);
        EXPECT_EQ(job.FileRenderer, renderers[c.renderer]);
    }
}

TEST_F(WithPrinter, FileDestinationNeedsANameBeforeOk) {
    show();
    clickRadio("FileRB");
    EXPECT_TRUE(fileName()->isEnabled());
    EXPECT_TRUE(enabled("FileNameSB"));
    EXPECT_TRUE(enabled("cboxFormat"));
    EXPECT_FALSE(enabled("SetupBB"));
    EXPECT_FALSE(enabled("bbtnOK"));
    QTest::keyClicks(fileName(), QStringLiteral("   "));
    EXPECT_FALSE(enabled("bbtnOK")) << "blanks are no name";
    QTest::keyClicks(fileName(), QStringLiteral("c"));
    EXPECT_TRUE(enabled("bbtnOK"));
    fileName()->clear();
    EXPECT_FALSE(enabled("bbtnOK"));

    // The name rules OK also while the printer is chosen, until a destination is chosen again.
    clickRadio("PrinterRB");
    EXPECT_TRUE(enabled("bbtnOK"));
    EXPECT_FALSE(fileName()->isEnabled());
    EXPECT_FALSE(enabled("cboxFormat"));
    fileName()->setText(QStringLiteral("x"));
    fileName()->clear();
    EXPECT_FALSE(enabled("bbtnOK"));
}

TEST_F(WithPrinter, OpensOnThePrinterWithTheJobsCopies) {
    job.SystemPrinter.Copies = 3;
    show();
    JobPrinter& printer = job.printer();
    const QString expectedLabel = printer.port().isEmpty()
                                      ? printer.name()
                                      : QStringLiteral("%1 en %2").arg(printer.name(), printer.port());
    EXPECT_EQ(control<QLabel>("PrinterLabel")->text(), expectedLabel);
    EXPECT_TRUE(radio("PrinterRB")->isChecked());
    EXPECT_EQ(copies()->text(), QStringLiteral("3"));
    for (const char* name : {"PrinterRB", "PreviewRB", "FileRB", "bbtnOK", "SetupBB", "CopiesED", "CollateCK",
                             "DuplexCK", "CopiesLabel"})
        EXPECT_TRUE(enabled(name)) << name;
    for (const char* name : {"editFileName", "FileNameSB", "cboxFormat"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_FALSE(control<QCheckBox>("CollateCK")->isChecked()) << "the job's collation is not shown";
    EXPECT_EQ(QApplication::focusWidget(), button("bbtnOK")) << "activation puts the focus on OK";
}

struct DefaultCase {
    TReportDest dest;
    const char* checked;
    bool copiesEnabled;
    bool okEnabled;
    bool setupEnabled;
};

TEST_F(WithPrinter, OpensOnTheJobsDefaultDestination) {
    const DefaultCase cases[] = {
        {TReportDest::rdPrinter, "PrinterRB", true, true, true},
        {TReportDest::rdPreview, "PreviewRB", false, true, true},
        {TReportDest::rdFile, "FileRB", true, false, false},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.checked);
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.DefaultDest = c.dest;
        show();
        EXPECT_TRUE(radio(c.checked)->isChecked());
        EXPECT_EQ(enabled("CopiesED"), c.copiesEnabled);
        EXPECT_EQ(enabled("CollateCK"), c.copiesEnabled);
        EXPECT_EQ(enabled("DuplexCK"), c.copiesEnabled);
        EXPECT_EQ(enabled("bbtnOK"), c.okEnabled);
        EXPECT_EQ(enabled("SetupBB"), c.setupEnabled);
        EXPECT_EQ(fileName()->isEnabled(), c.dest == TReportDest::rdFile);
    }
}

struct SetupFlagCase {
    TSystemSetup flag;
    QList<const char*> disabled;
};

TEST_F(WithPrinter, EveryMissingSetupFlagDisablesItsControls) {
    const SetupFlagCase cases[] = {
        {ssAllowCopies, {"CopiesED", "CopiesLabel"}},
        {ssAllowCollate, {"CollateCK"}},
        {ssAllowDuplex, {"DuplexCK"}},
        {ssAllowDestPreview, {"PreviewRB"}},
        {ssAllowDestPrinter, {"PrinterRB"}},
        {ssAllowDestFile, {"FileRB"}},
        {ssAllowPrinterSetup, {"SetupBB"}},
    };
    const char* all[] = {"CopiesED",  "CopiesLabel", "CollateCK", "DuplexCK",
                         "PreviewRB", "PrinterRB",   "FileRB",    "SetupBB"};
    for (const SetupFlagCase& c : cases) {
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.SystemSetups = kAllSystemSetups & ~TSystemSetups(c.flag);
        show();
        for (const char* name : all) {
            SCOPED_TRACE(std::string("without flag ") + std::to_string(int(c.flag)) + ", " + name);
            EXPECT_EQ(enabled(name), !c.disabled.contains(name));
        }
    }
}

TEST_F(WithPrinter, PreviewDisablesTheCopiesButTheirTextIsStillRead) {
    job.SystemPrinter.Copies = 1;
    show();
    copies()->selectAll();
    QTest::keyClicks(copies(), QStringLiteral("4"));
    clickRadio("PreviewRB");
    EXPECT_FALSE(copies()->isEnabled());
    EXPECT_TRUE(control<QLabel>("CopiesLabel")->isEnabled()) << "the label keeps its state";
    EXPECT_TRUE(enabled("SetupBB"));
    confirm();
    EXPECT_EQ(job.Destination, TReportDest::rdPreview);
    EXPECT_TRUE(job.OutputFile.isEmpty());
    EXPECT_EQ(job.SystemPrinter.Copies, 4);
}

TEST_F(WithPrinter, CopiesFieldTakesOnlyDigits) {
    show();
    copies()->clear();
    QTest::keyClicks(copies(), QStringLiteral("a1 -2.x3"));
    EXPECT_EQ(copies()->text(), QStringLiteral("123"));
    QTest::keyClick(copies(), Qt::Key_Backspace);
    EXPECT_EQ(copies()->text(), QStringLiteral("12"));
    // The file name is never filtered.
    clickRadio("FileRB");
    QTest::keyClicks(fileName(), QStringLiteral("a b-1.x"));
    EXPECT_EQ(fileName()->text(), QStringLiteral("a b-1.x"));
}

struct CopiesCase {
    const char* text;
    int expected;
};

TEST_F(WithPrinter, ConfirmedCopiesTextSetsTheCopiesOnlyWhenItIsANumber) {
    const CopiesCase cases[] = {{"0", 0}, {"", 2}, {"7", 7}, {"12x", 2}, {"-3", 2}, {"99999999999", 2}};
    for (const CopiesCase& c : cases) {
        SCOPED_TRACE(c.text);
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.SystemPrinter.Copies = 2;
        show();
        // Pasted text is not filtered.
        copies()->setText(QString::fromUtf8(c.text));
        confirm();
        EXPECT_EQ(job.SystemPrinter.Copies, c.expected);
    }
}

TEST_F(WithPrinter, WithoutTheCopiesFlagTheCopiesStayAsTheyWere) {
    job.SystemSetups &= ~TSystemSetups(ssAllowCopies | ssAllowCollate | ssAllowDuplex);
    job.SystemPrinter.Copies = 2;
    job.SystemPrinter.Collate = true;
    job.SystemPrinter.Duplex = DuplexMode::ShortEdge;
    show();
    copies()->setText(QStringLiteral("5"));
    confirm();
    EXPECT_EQ(job.SystemPrinter.Copies, 2);
    EXPECT_TRUE(job.SystemPrinter.Collate);
    EXPECT_EQ(job.SystemPrinter.Duplex, DuplexMode::ShortEdge);
}

struct SidesCase {
    DuplexMode before;
    bool checked;
    DuplexMode after;
};

TEST_F(WithPrinter, CollationAndTwoSidedPrintingFollowTheirBoxes) {
    const SidesCase cases[] = {
        {DuplexMode::OneSided, true, DuplexMode::LongEdge},
        {DuplexMode::ShortEdge, true, DuplexMode::ShortEdge},
        {DuplexMode::LongEdge, false, DuplexMode::OneSided},
        {DuplexMode::OneSided, false, DuplexMode::OneSided},
    };
    for (const SidesCase& c : cases) {
        SCOPED_TRACE(int(c.before) * 10 + int(c.checked));
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.SystemPrinter.Duplex = c.before;
        job.SystemPrinter.Collate = !c.checked;
        show();
        if (c.checked) {
            pressMnemonic(Qt::Key_D, "DuplexCK");
            pressMnemonic(Qt::Key_T, "CollateCK");
        }
        EXPECT_EQ(control<QCheckBox>("DuplexCK")->isChecked(), c.checked);
        confirm();
        EXPECT_EQ(job.SystemPrinter.Duplex, c.after);
        EXPECT_EQ(job.SystemPrinter.Collate, c.checked);
    }
}

// The keyboard alone: Alt+A, the browse button reached with Tab and pressed with Enter, Enter in the file
// name confirming once there is a name.
TEST_F(WithPrinter, KeyboardChoosesTheFileAndEnterInItsNameConfirms) {
    show();
    pressMnemonic(Qt::Key_A, "FileRB");
    EXPECT_TRUE(fileName()->isEnabled());
    fileName()->setFocus();
    QTest::keyClick(fileName(), Qt::Key_Return);
    EXPECT_TRUE(form->isVisible()) << "no name yet";
    QTest::keyClick(fileName(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>("FileNameSB"));
    messages.answerSaveFile(QStringLiteral("/tmp/elegido.txt"), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(messages.unusedAnswers(), 0);
    EXPECT_TRUE(form->isVisible()) << "the browse button confirms nothing";
    EXPECT_EQ(formats()->currentIndex(), 3);
    fileName()->setFocus();
    QTest::keyClick(fileName(), Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(job.Destination, TReportDest::rdFile);
    EXPECT_EQ(job.OutputFile, QStringLiteral("/tmp/elegido.txt"));
    EXPECT_EQ(job.FileRenderer, &text);
}

TEST_F(WithPrinter, CancellingWritesNothingBack) {
    const std::function<void(TdtSetupForm&)> ways[] = {
        [](TdtSetupForm& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [this](TdtSetupForm&) { QTest::mouseClick(button("BitBtn1"), Qt::LeftButton); },
        [](TdtSetupForm& dialog) { dialog.close(); },
    };
    for (const auto& cancel : ways) {
        form = std::make_unique<TdtSetupForm>();
        form->ReportSystem = &job;
        job.Destination = TReportDest::rdPrinter;
        job.OutputFile = QStringLiteral("antes.ndr");
        job.SystemPrinter.Copies = 1;
        show();
        clickRadio("FileRB");
        QTest::keyClicks(fileName(), QStringLiteral("cierre"));
        copies()->setText(QStringLiteral("9"));
        control<QCheckBox>("DuplexCK")->setChecked(true);
        cancel(*form);
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(form->result(), QDialog::Rejected);
        EXPECT_EQ(job.Destination, TReportDest::rdPrinter);
        EXPECT_EQ(job.OutputFile, QStringLiteral("antes.ndr"));
        EXPECT_EQ(job.SystemPrinter.Copies, 1);
    }
}

TEST_F(WithPrinter, ConfigureOpensThePrintSetupOnTheReportPrinter) {
    show();
    QPrinter& device = job.printer().device();
    device.setPageOrientation(QPageLayout::Portrait);
    messages.answerCancel(DialogKind::PrinterSetup);
    messages.answerPrinterSetup(
        [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); });
    QTest::mouseClick(button("SetupBB"), Qt::LeftButton);
    EXPECT_EQ(device.pageLayout().orientation(), QPageLayout::Portrait)
        << "a cancelled setup changes nothing";
    QTest::mouseClick(button("SetupBB"), Qt::LeftButton);
    EXPECT_EQ(device.pageLayout().orientation(), QPageLayout::Landscape);
    ASSERT_EQ(messages.dialogs().size(), 2);
    EXPECT_EQ(std::get<platform::PrinterSetupRequest>(messages.dialogs().front()).printerName,
              job.printer().name());
    EXPECT_TRUE(messages.recorded().isEmpty());
    EXPECT_TRUE(form->isVisible());
}

// The page is drawn without a printer, so it can go to the preview or to a file of any format.
TEST_F(NoPrinter, EveryDestinationButThePrinter) {
    job.SystemPrinter.Copies = 2;
    show();
    EXPECT_EQ(control<QLabel>("PrinterLabel")->text(), QStringLiteral("No hay impresoras instaladas!"));
    EXPECT_TRUE(radio("PreviewRB")->isChecked());
    EXPECT_TRUE(enabled("PreviewRB"));
    EXPECT_TRUE(enabled("FileRB"));
    EXPECT_TRUE(enabled("bbtnOK"));
    clickRadio("FileRB");
    EXPECT_EQ(formats()->count(), 5);
    EXPECT_EQ(formats()->itemText(4), QStringLiteral("Portable Document Format (PDF)"));
    clickRadio("PreviewRB");
    for (const char* name :
         {"PrinterRB", "CollateCK", "CopiesED", "CopiesLabel", "DuplexCK", "SetupBB", "editFileName"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_EQ(copies()->text(), QStringLiteral("2"));
    confirm();
    EXPECT_EQ(job.Destination, TReportDest::rdPreview);
}

TEST_F(NoPrinter, WithoutThePreviewAndTheFileNothingCanBeConfirmed) {
    job.SystemSetups &= ~TSystemSetups(ssAllowDestPreview | ssAllowDestFile);
    show();
    for (const char* name : {"PrinterRB", "PreviewRB", "FileRB", "bbtnOK"})
        EXPECT_FALSE(enabled(name)) << name;
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

// A second queue, added for these cases and removed again, at a place the system names.
class SecondPrinter : public WithPrinter {
protected:
    void SetUp() override {
        WithPrinter::SetUp();
        if (IsSkipped())
            return;
        if (geteuid() != 0)
            GTEST_SKIP() << "adding a print queue needs root";
        test::runTool(QStringLiteral("lpadmin"),
                      {QStringLiteral("-p"), second, QStringLiteral("-E"), QStringLiteral("-v"),
                       QStringLiteral("file:///dev/null"), QStringLiteral("-L"), QStringLiteral("Caja 1"),
                       QStringLiteral("-m"),
                       QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd")});
    }
    void TearDown() override {
        if (QPrinterInfo::availablePrinterNames().contains(second))
            removeSecond();
    }
    void removeSecond() { test::runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), second}); }

    // Named after this checkout's test queue, so that another checkout's tests never meet it.
    const QString second = qEnvironmentVariable("QUELMARO_TEST_PRINTER", QStringLiteral("quelmaro_pdf")) +
                           QStringLiteral("_setup");
};

TEST_F(SecondPrinter, PrinterChosenInTheSetupBecomesTheReportPrinter) {
    show();
    const QString first = job.printer().name();
    EXPECT_NE(first, second);
    messages.answerPrinterSetup([this](QPrinter& printer) { printer.setPrinterName(second); });
    QTest::mouseClick(button("SetupBB"), Qt::LeftButton);
    EXPECT_EQ(job.printer().name(), second);
    EXPECT_EQ(control<QLabel>("PrinterLabel")->text(), second + QStringLiteral(" en Caja 1"));

    // A printer that goes away meanwhile is reported when the label is refreshed.
    removeSecond();
    messages.answerCancel(DialogKind::PrinterSetup);
    QTest::mouseClick(button("SetupBB"), Qt::LeftButton);
    ASSERT_EQ(messages.recorded().size(), 1);
    EXPECT_EQ(messages.recorded().front().kind, platform::MessageKind::Error);
    // The system tells nothing more of a printer it no longer has, not even where it was.
    EXPECT_EQ(messages.recorded().front().text,
              QStringLiteral("No se puede imprimir en la impresora %1: ya no está instalada o "
                             "el sistema de impresión no responde.")
                  .arg(second));
    EXPECT_EQ(control<QLabel>("PrinterLabel")->text(), second + QStringLiteral(" (no disponible)"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(SecondPrinter, AReportPrinterThatCannotBeOpenedIsReportedAndOnlyThePrinterIsOut) {
    job.printer().SelectPrinter(int(QPrinterInfo::availablePrinterNames().indexOf(second)));
    ASSERT_EQ(job.printer().name(), second);
    removeSecond();
    show();
    ASSERT_EQ(messages.recorded().size(), 1);
    EXPECT_TRUE(messages.recorded().front().text.startsWith(
        QStringLiteral("No se puede imprimir en la impresora %1: ").arg(second)));
    EXPECT_TRUE(radio("PreviewRB")->isChecked());
    EXPECT_TRUE(enabled("FileRB"));
    for (const char* name : {"PrinterRB", "CopiesED", "SetupBB"})
        EXPECT_FALSE(enabled(name)) << name;
    confirm();
    EXPECT_EQ(job.Destination, TReportDest::rdPreview);
}

} // namespace
} // namespace quelmaro
