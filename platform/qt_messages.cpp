#include "platform/qt_messages.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>

namespace quelmaro::platform {

namespace {

bool haveWindows() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void showBox(QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, dialogParent());
    // Texts come from the database and from the operator: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString qtFilter(const FileFilter& filter) {
    return filter.description + QStringLiteral(" (") + filter.pattern + QLatin1Char(')');
}

// Why the chosen file cannot be written, or an empty text when it can.
QString unwritableReason(const QString& fileName) {
    const QFileInfo file(fileName);
    if (!file.absoluteDir().exists())
        return QStringLiteral("La carpeta %1 no existe.").arg(QDir::toNativeSeparators(file.absolutePath()));
    // A file without the owner's write permission is read-only even for a user who could still write it.
    if (file.exists() && (!file.isWritable() || !file.permissions().testFlag(QFileDevice::WriteOwner)))
        return QStringLiteral("El archivo %1 es de solo lectura.")
            .arg(QDir::toNativeSeparators(file.absoluteFilePath()));
    return QString();
}

} // namespace

void QtMessages::information(const QString& text) {
    if (!haveWindows())
        return withoutWindows_.information(text);
    showBox(QMessageBox::NoIcon, text);
}

void QtMessages::error(const QString& text) {
    if (!haveWindows())
        return withoutWindows_.error(text);
    showBox(QMessageBox::Critical, text);
}

void QtMessages::beep() {
    if (haveWindows())
        QApplication::beep();
}

std::optional<SaveFileChoice> QtMessages::saveFileName(const SaveFileRequest& request) {
    if (!haveWindows())
        return withoutWindows_.saveFileName(request);
    QStringList filters;
    for (const FileFilter& filter : request.filters)
        filters.append(qtFilter(filter));

    QFileDialog dialog(dialogParent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(request.selectedFilter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    // The dialog asks before overwriting; a missing folder or a read-only file sends the operator back to it.
    while (dialog.exec() == QDialog::Accepted) {
        const QString fileName = dialog.selectedFiles().value(0);
        const QString problem = unwritableReason(fileName);
        if (problem.isEmpty())
            return SaveFileChoice{fileName,
                                  int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
        showBox(QMessageBox::Warning, problem);
    }
    return std::nullopt;
}

std::optional<QString> QtMessages::openFileName(const OpenFileRequest& request) {
    if (!haveWindows())
        return withoutWindows_.openFileName(request);
    QFileDialog dialog(dialogParent(), request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles().value(0);
}

bool QtMessages::printerSetup(QPrinter& printer) {
    if (!haveWindows())
        return withoutWindows_.printerSetup(printer);
    // Qt has no separate setup dialog that also chooses the printer: the print dialog without its page
    // range and file options is the one that offers printer, paper and orientation.
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

bool QtMessages::print(QPrinter& printer, int minPage, int maxPage) {
    if (!haveWindows())
        return withoutWindows_.print(printer, minPage, maxPage);
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setMinMax(minPage, maxPage);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quelmaro::platform
