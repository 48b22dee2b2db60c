// The command cierre: the daily closing report without a window, for a schedule that keeps every day's page.
#include "closing/cli/cierre_command.h"
#include "closing/cli/cierre_command_line.h"
#include "platform/memory.h"
#include "platform/qt_diagnostics.h"
#include "platform/system_translations.h"
#include "shell/termination.h"

#include <QApplication>

#include <cstdio>

namespace {

bool haveScreen() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const quelmaro::CierreCommandLine commandLine = quelmaro::readCierreCommandLine(arguments);
    if (commandLine.usage) {
        std::fputs(quelmaro::cierreUsage().toUtf8().constData(), stdout);
        return 0;
    }
    if (!commandLine.arguments) {
        std::fputs(
            (commandLine.problem + QStringLiteral("\n\n") + quelmaro::cierreUsage()).toUtf8().constData(),
            stderr);
        return 2;
    }

    // Nothing is shown: without a screen, the page is drawn all the same.
    if (!haveScreen())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quelmaro::shell::endOnTerminationSignals();
    quelmaro::platform::keepFreedMemoryForReuse();
    quelmaro::platform::keepQtNotesOffStandardError();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cierre"));
    // The system's own texts in a file's error ("No such file or directory") speak Spanish too.
    quelmaro::platform::useRegionalSettings();
    return quelmaro::runCierre(*commandLine.arguments);
}
