// Runs one platform call in a process of its own and prints what it gave on standard output, so that a
// test can set the environment the call reads at start-up. Modes:
//   directorio          the registry value: "missing", "value:<text>" or "error:<message>"
//   messages            messages and dialogs through messages() under a QApplication
//   messages-no-window  the same without a QApplication
//   names               day names 1-7, month names 1-12 and the currency symbol, one a line
//   translations        whether Qt's texts were loaded, a standard Cancel button's text, then the name of
//                       December as a widget (a calendar) gives it
//   qt-diagnostics      Qt's notes kept off standard error: a window shown, a warning and a critical message
#include "platform/error.h"
#include "platform/locale_names.h"
#include "platform/messages.h"
#include "platform/qt_diagnostics.h"
#include "platform/registry.h"
#include "platform/system_translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrinter>
#include <QPushButton>
#include <QTextStream>
#include <QWidget>

#include <memory>

using namespace quelmaro::platform;

namespace {

void printDirectorio(QTextStream& out) {
    try {
        const std::optional<QString> directory = readApplicationDirectory();
        out << (directory ? QStringLiteral("value:") + *directory : QStringLiteral("missing")) << '\n';
    } catch (const PlatformError& error) {
        out << "error:" << error.message() << '\n';
    }
}

void showMessages(QTextStream& out) {
    Messages& layer = messages();
    layer.information(QStringLiteral("Proceso terminado."));
    layer.beep();
    layer.error(QStringLiteral("Línea uno\nLínea dos\r\nLínea tres\rfin"));
    layer.information(QString());
    const SaveFileRequest save{
        {}, {{QStringLiteral("Plain Text (TXT)"), QStringLiteral("*.txt")}}, 0, {}, {}};
    out << "save:" << (layer.saveFileName(save) ? "chosen" : "cancelled") << '\n';
    out << "open:" << (layer.openFileName({}) ? "chosen" : "cancelled") << '\n';
    QPrinter printer;
    out << "setup:" << (layer.printerSetup(printer) ? "confirmed" : "cancelled") << '\n';
    out << "print:" << (layer.print(printer, 1, 3) ? "confirmed" : "cancelled") << '\n';
}

void printNames(QTextStream& out) {
    for (int day = 1; day <= 7; ++day)
        out << dayName(day) << '\n';
    for (int month = 1; month <= 12; ++month)
        out << monthName(month) << '\n';
    out << currencySymbol() << '\n';
}

void printTranslations(QTextStream& out) {
    out << (useRegionalSettings() ? "loaded" : "not loaded") << '\n';
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    out << buttons.button(QDialogButtonBox::Cancel)->text() << '\n';
    out << buttons.locale().monthName(12) << '\n';
}

void showWindowAndComplain() {
    QWidget window;
    window.setFixedSize(100, 50);
    window.show();
    QCoreApplication::processEvents();
    qWarning("una advertencia de Qt");
    qCritical("un problema real");
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("qt-diagnostics"))
        keepQtNotesOffStandardError();
    std::unique_ptr<QCoreApplication> app;
    if (mode == QLatin1String("messages-no-window"))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    QTextStream out(stdout);
    if (mode == QLatin1String("directorio"))
        printDirectorio(out);
    else if (mode.startsWith(QLatin1String("messages")))
        showMessages(out);
    else if (mode == QLatin1String("names"))
        printNames(out);
    else if (mode == QLatin1String("translations"))
        printTranslations(out);
    else if (mode == QLatin1String("qt-diagnostics"))
        showWindowAndComplain();
    else
        return 2;
    return 0;
}
