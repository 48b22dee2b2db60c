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

// The extension a file type's pattern gives ("*.txt" gives "txt"); empty for a pattern of any other shape.
QString patternSuffix(const QString& pattern) {
    const QString suffix = pattern.mid(2).toLower();
    return pattern.startsWith(QLatin1String("*.")) && !suffix.contains(u'*') ? suffix : QString();
}

// A name typed without an extension takes the one of the file type chosen last, not always the same one.
class SaveDialog : public QFileDialog {
public:
    explicit SaveDialog(const SaveFileRequest& request)
        : QFileDialog(dialogParent(), request.title), request_(request) {
        for (const FileFilter& filter : request.filters)
            filters_.append(qtFilter(filter));
        setAcceptMode(QFileDialog::AcceptSave);
        setNameFilters(filters_);
        connect(this, &QFileDialog::filterSelected, this, [this] { followChosenType(); });
        selectNameFilter(filters_.value(request.selectedFilter));
        followChosenType();
        if (!request.fileName.isEmpty())
            selectFile(request.fileName);
    }

    int chosenType() const { return int(std::max<qsizetype>(0, filters_.indexOf(selectedNameFilter()))); }

    void accept() override {
        followChosenType();
        QFileDialog::accept();
    }

private:
    void followChosenType() {
        const QString suffix = patternSuffix(request_.filters.value(chosenType()).pattern);
        setDefaultSuffix(suffix.isEmpty() ? request_.defaultSuffix : suffix);
    }

    SaveFileRequest request_;
    QStringList filters_;
};

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
    SaveDialog dialog(request);
    // The dialog asks before overwriting; a missing folder or a read-only file sends the operator back to it.
    while (dialog.exec() == QDialog::Accepted) {
        const QString fileName = dialog.selectedFiles().value(0);
        const QString problem = unwritableReason(fileName);
        if (problem.isEmpty())
            return SaveFileChoice{fileName, dialog.chosenType()};
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
