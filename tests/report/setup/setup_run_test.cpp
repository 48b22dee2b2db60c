#include "platform/recording_messages.h"
#include "report/render_pdf.h"
#include "report/render_rtf.h"
#include "report/render_text.h"
#include "report/report_canvas.h"
#include "report/report_job.h"
#include "report/setup/setup_form.h"
#include "tests/platform/modal_watcher.h"
#include "tests/report/report_test_support.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// The setup dialog in a whole report run, shown modally by the job's setup phase as the closing window does.
namespace quelmaro {
namespace {

using platform::test::ModalWatcher;

class SetupRunBase : public testing::Test {
protected:
    void SetUp() override {
        job.DefaultDest = TReportDest::rdPrinter;
        job.OverrideSetup = [](TReportJob& system, TOverrideMode mode, QWidget*& form) {
            switch (mode) {
            case TOverrideMode::omCreate: {
                auto* dialog = new TdtSetupForm;
                dialog->setWindowTitle(system.TitleSetup);
                dialog->ReportSystem = &system;
                form = dialog;
                break;
            }
            case TOverrideMode::omShow:
                system.Cancelled = static_cast<TdtSetupForm*>(form)->exec() != QDialog::Accepted;
                break;
            case TOverrideMode::omWait:
                break;
            case TOverrideMode::omFree:
                delete form;
                form = nullptr;
                break;
            }
        };
        job.OnBeforePrint = [this](TReportCanvas&) { ++generations; };
        job.OnPrint = [](TReportCanvas& canvas) { canvas.PrintAt(1, 1, QStringLiteral("Cierre del día")); };
    }

    platform::ScopedRecording messages;
    TRenderRTF rtf;
    TRenderText text;
    TRenderPdf pdf;
    TReportJob job;
    int generations = 0;
};

class SetupRun : public SetupRunBase {
protected:
    void SetUp() override {
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            GTEST_SKIP() << "no printer installed; scripts/services.sh starts the test queue";
        SetupRunBase::SetUp();
    }
};

class NoPrinterRun : public SetupRunBase {
protected:
    void SetUp() override {
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().isEmpty()) << "these cases need no printers";
        SetupRunBase::SetUp();
    }
};

TEST_F(SetupRun, ChosenPlainTextFileReceivesTheReport) {
    QTemporaryDir folder;
    const QString typed = folder.filePath(QStringLiteral("cierre"));
    {
        ModalWatcher watcher({[&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Opciones"));
            auto* file = dialog->findChild<QRadioButton*>(QStringLiteral("FileRB"));
            QTest::mouseClick(file, Qt::LeftButton, {}, QPoint(8, file->height() / 2));
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("editFileName")), typed);
            dialog->findChild<QComboBox*>(QStringLiteral("cboxFormat"))->setCurrentIndex(3);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bbtnOK")), Qt::LeftButton);
        }});
        job.Run();
    }
    EXPECT_EQ(generations, 1);
    EXPECT_EQ(job.OutputFile, typed + QStringLiteral(".txt"));
    QFile written(job.OutputFile);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(written.readAll()).contains(QStringLiteral("Cierre del día")));
}

TEST_F(SetupRun, CancelledDialogGeneratesNothing) {
    const std::function<void(QWidget*)> ways[] = {
        [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); },
        [](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        },
        [](QWidget* dialog) { dialog->close(); },
    };
    for (const auto& cancel : ways) {
        {
            ModalWatcher watcher({cancel});
            job.Run();
        }
        EXPECT_TRUE(job.Cancelled);
        EXPECT_EQ(generations, 0);
    }
}

// A store without a printer keeps its closing in a file of any format, chosen with the keyboard alone; the
// printer's own output is a PDF file then. The PDF holds the page's text.
TEST_F(NoPrinterRun, EveryFileFormatIsWritten) {
    QTemporaryDir folder;
    const QStringList extensions = {"ndr", "prn", "rtf", "txt", "pdf"};
    for (int format = 0; format < extensions.size(); ++format) {
        SCOPED_TRACE(extensions[format].toStdString());
        const QString typed = folder.filePath(QStringLiteral("cierre%1").arg(format));
        {
            ModalWatcher watcher({[&](QWidget* dialog) {
                QTest::keyClick(dialog, Qt::Key_A, Qt::AltModifier);
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("editFileName"));
                EXPECT_TRUE(QTest::qWaitFor([&] { return name->isEnabled(); }, 2000));
                dialog->findChild<QComboBox*>(QStringLiteral("cboxFormat"))->setCurrentIndex(format);
                name->setFocus();
                QTest::keyClicks(name, typed);
                QTest::keyClick(name, Qt::Key_Return);
            }});
            job.Run();
        }
        EXPECT_FALSE(job.Cancelled);
        EXPECT_EQ(job.OutputFile, typed + u'.' + extensions[format]);
        EXPECT_GT(QFileInfo(job.OutputFile).size(), 0);
    }
    EXPECT_EQ(generations, 5);
    EXPECT_TRUE(messages.recorded().isEmpty());
    for (const char* pdfFile : {"cierre1.prn", "cierre4.pdf"}) {
        const std::vector<test::PdfPage> pages = test::readPdfWords(folder.filePath(QLatin1String(pdfFile)));
        ASSERT_EQ(pages.size(), 1u) << pdfFile;
        EXPECT_NE(test::findWord(pages[0], QStringLiteral("Cierre")), nullptr) << pdfFile;
    }
}

} // namespace
} // namespace quelmaro
