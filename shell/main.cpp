// The program quelmaro: "Resumen de ventas".
#include "data/dm/dm.h"
#include "data/dm/environment_logins.h"
#include "data/dm/formats.h"
#include "platform/memory.h"
#include "platform/qt_diagnostics.h"
#include "platform/system_translations.h"
#include "shell/application.h"
#include "shell/rngquelmaro.h"
#include "shell/termination.h"
#include "shell/unattended_start.h"

#include <cstdio>

namespace {

// Qt ends the process when it finds no screen; say what to do instead.
bool haveScreen() {
#ifdef Q_OS_UNIX
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    // The usage needs no screen, no settings and no window.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (quelmaro::shell::asksForUsage(given)) {
        std::fputs(quelmaro::shell::usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (!haveScreen()) {
        std::fputs(
            "quelmaro necesita una pantalla: defina DISPLAY, o QT_QPA_PLATFORM=offscreen para correr sin "
            "ella.\n",
            stderr);
        return 1;
    }
    quelmaro::shell::endOnTerminationSignals();
    quelmaro::platform::keepFreedMemoryForReuse();
    quelmaro::platform::keepQtNotesOffStandardError();
    quelmaro::shell::Application application(argc, argv);
    quelmaro::formats::setSettings(quelmaro::formats::programSettings());
    // The application title. As the application's name, not its display name: the window system would
    // append a display name to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Resumen de ventas"));
    quelmaro::platform::useRegionalSettings();

    quelmaro::Tfdm dataModule;
    quelmaro::dm::nameRoleFromEnvironment(dataModule.Norvane);
    const QStringList arguments =
        quelmaro::dm::withPasswordsFromEnvironment(QCoreApplication::arguments().mid(1));
    quelmaro::Tfquelmaro mainWindow(arguments);
    // A start nobody can finish ends at once, after the window's creation has said what it had to.
    const bool noDialogs = qEnvironmentVariable("QUELMARO_NO_DIALOGS") == QLatin1String("1");
    if (const auto problem = quelmaro::shell::unusableUnattendedStart(arguments, noDialogs)) {
        std::fputs(quelmaro::shell::usage(*problem).toUtf8().constData(), stderr);
        return quelmaro::shell::kUnusableCommandLine;
    }
    mainWindow.show();
    mainWindow.activateWindow();
    return QApplication::exec();
}
