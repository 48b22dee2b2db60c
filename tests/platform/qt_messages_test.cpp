#include "modal_watcher.h"

#include "platform/qt_messages.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

struct BoxCase {
    const char* name;
    bool isError;
    const char* text;
    QMessageBox::Icon icon;
};

void PrintTo(const BoxCase& c, std::ostream* out) {
    *out << c.name;
}

class QtMessageBox : public ::testing::TestWithParam<BoxCase> {};

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
};

ModalWatcher::Action readAndClose(SeenBox& seen) {
    return [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()};
        box->button(QMessageBox::Ok)->click();
    };
}

TEST_P(QtMessageBox, ShowsTheExactTextWithItsSymbolAndOneOkButton) {
    const BoxCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    SeenBox seen;
    ModalWatcher watcher({readAndClose(seen)});
    QtMessages layer;
    if (c.isError)
        layer.error(text);
    else
        layer.information(text);

    EXPECT_TRUE(watcher.done());
    EXPECT_EQ(seen.title.toStdString(), "Resumen de ventas");
    EXPECT_EQ(seen.text.toStdString(), text.toStdString());
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.format, Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtMessageBox,
    ::testing::Values(
        BoxCase{"information", false, "Envio de resumen de ventas completado con éxito.",
                QMessageBox::NoIcon},
        BoxCase{"error", true, "No se encontró la configuración PREVISUALIZAR IMPRESION DE DOCUMENTOS",
                QMessageBox::Critical},
        BoxCase{"markup_stays_text", true, "Línea 1\n<b>Total</b> & <i>IVA</i>", QMessageBox::Critical}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

SaveFileRequest reportRequest(const QString& folder) {
    return {QString(),
            {{QStringLiteral("Report Snapshot File (NDR)"), QStringLiteral("*.NDR")},
             {QStringLiteral("Native Printer Output (PRN)"), QStringLiteral("*.PRN")},
             {QStringLiteral("Plain Text (TXT)"), QStringLiteral("*.txt")}},
            1,
            QStringLiteral("ndr"),
            folder + QStringLiteral("/cierre")};
}

// Picks the filter at `filter`, types `path` as the file name and confirms.
ModalWatcher::Action chooseFile(const QString& path, int filter, QStringList* filtersSeen = nullptr,
                                QString* initialFilter = nullptr) {
    return [=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        if (filtersSeen)
            *filtersSeen = dialog->nameFilters();
        if (initialFilter)
            *initialFilter = dialog->selectedNameFilter();
        dialog->selectNameFilter(dialog->nameFilters().value(filter));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(buttons, nullptr);
        buttons->buttons().first()->click();
    };
}

void confirmReplace(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
    box->button(QMessageBox::Yes)->click();
}

void reject(QWidget* modal) {
    ASSERT_NE(qobject_cast<QDialog*>(modal), nullptr);
    static_cast<QDialog*>(modal)->reject();
}

TEST(QtFileDialogs, SaveShowsTheFiltersAndReturnsTheChosenFileAndType) {
    const QTemporaryDir folder;
    QStringList filtersSeen;
    QString initialFilter;
    ModalWatcher watcher(
        {chooseFile(folder.filePath(QStringLiteral("cierre")), 2, &filtersSeen, &initialFilter)});
    const auto choice = QtMessages().saveFileName(reportRequest(folder.path()));

    EXPECT_EQ(filtersSeen, QStringList({"Report Snapshot File (NDR) (*.NDR)",
                                        "Native Printer Output (PRN) (*.PRN)", "Plain Text (TXT) (*.txt)"}));
    EXPECT_EQ(initialFilter.toStdString(), "Native Printer Output (PRN) (*.PRN)");
    ASSERT_TRUE(choice.has_value());
    // A name typed without an extension takes the chosen type's, not the request's default.
    EXPECT_EQ(choice->fileName.toStdString(), folder.filePath(QStringLiteral("cierre.txt")).toStdString());
    EXPECT_EQ(choice->selectedFilter, 2);
}

TEST(QtFileDialogs, SaveSendsTheOperatorBackFromAMissingFolderOrAReadOnlyFile) {
    const QTemporaryDir folder;
    const QString readOnly = folder.filePath(QStringLiteral("fijo.txt"));
    {
        QFile file(readOnly);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    SeenBox missingFolder;
    SeenBox readOnlyFile;
    ModalWatcher watcher({chooseFile(folder.filePath(QStringLiteral("no/existe.txt")), 2),
                          readAndClose(missingFolder), chooseFile(readOnly, 2), confirmReplace,
                          readAndClose(readOnlyFile), reject});

    EXPECT_FALSE(QtMessages().saveFileName(reportRequest(folder.path())).has_value());
    EXPECT_EQ(missingFolder.text, QStringLiteral("La carpeta %1 no existe.").arg(folder.filePath("no")));
    EXPECT_EQ(missingFolder.icon, QMessageBox::Warning);
    EXPECT_EQ(readOnlyFile.text, QStringLiteral("El archivo %1 es de solo lectura.").arg(readOnly));
}

TEST(QtFileDialogs, OpenAcceptsOnlyAnExistingFileOfItsType) {
    const QTemporaryDir folder;
    const QString snapshot = folder.filePath(QStringLiteral("cierre.ndr"));
    {
        QFile file(snapshot);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList filtersSeen;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    ModalWatcher watcher({[&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        filtersSeen = dialog->nameFilters();
        mode = dialog->fileMode();
        chooseFile(snapshot, 0)(modal);
    }});
    const OpenFileRequest request{QString(),
                                  {QStringLiteral("Vista previa de reportes"), QStringLiteral("*.ndr")},
                                  QStringLiteral("ndr")};
    EXPECT_EQ(QtMessages().openFileName(request), std::optional<QString>(snapshot));
    EXPECT_EQ(filtersSeen, QStringList({"Vista previa de reportes (*.ndr)"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

// Confirms the print dialog after noting the pages it offers and whether it offers a page range at all.
ModalWatcher::Action notePagesAndConfirm(QString& pages) {
    return [&pages](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        pages = dialog->testOption(QAbstractPrintDialog::PrintPageRange)
                    ? QStringLiteral("%1-%2").arg(dialog->minPage()).arg(dialog->maxPage())
                    : QStringLiteral("none");
        dialog->accept();
    };
}

TEST(QtPrintDialogs, ReportTheOperatorsAnswerAndOfferOnlyThePagesThatExist) {
    QPrinter printer;
    QString setupPages;
    QString printPages;
    ModalWatcher watcher({notePagesAndConfirm(setupPages), reject, notePagesAndConfirm(printPages), reject});
    QtMessages layer;
    EXPECT_TRUE(layer.printerSetup(printer));
    EXPECT_FALSE(layer.printerSetup(printer));
    EXPECT_TRUE(layer.print(printer, 1, 3));
    EXPECT_FALSE(layer.print(printer, 1, 3));
    EXPECT_EQ(setupPages.toStdString(), "none");
    EXPECT_EQ(printPages.toStdString(), "1-3");
}

} // namespace
} // namespace quelmaro::platform::test
