// The command cierre: the daily closing report without a window, for a schedule that keeps every day's page.
#include "closing/cli/cierre_command.h"
#include "platform/memory.h"
#include "platform/qt_diagnostics.h"
#include "shell/termination.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

bool haveScreen() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    // Nothing is shown: without a screen, the page is drawn all the same.
    if (!haveScreen())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quelmaro::shell::endOnTerminationSignals();
    quelmaro::platform::keepFreedMemoryForReuse();
    quelmaro::platform::keepQtNotesOffStandardError();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("cierre"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Imprime el cierre diario de una compañía en una impresora o en un archivo .pdf, .ndr, .rtf "
        "o .txt, como la ventana \"Imprimir cierre\"."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("servidor"),
                                 QStringLiteral("Servidor, como en SERVIDORES.cfg."));
    parser.addPositionalArgument(QStringLiteral("usuario"), QStringLiteral("Usuario de la base de datos."));
    parser.addPositionalArgument(QStringLiteral("clave"), QStringLiteral("Clave del usuario."));
    parser.addPositionalArgument(QStringLiteral("compañía"), QStringLiteral("Código de la compañía."));
    parser.addPositionalArgument(QStringLiteral("fecha"), QStringLiteral("Fecha del cierre, aaaa/mm/dd."));
    parser.addPositionalArgument(
        QStringLiteral("salida"),
        QStringLiteral("Archivo .pdf, .ndr, .rtf o .txt, o nombre de una impresora."));
    const QCommandLineOption sucursal(
        QStringLiteral("sucursal"),
        QStringLiteral("Sucursal (SUCU_ID); 0, el valor por omisión, para todas."),
        QStringLiteral("sucursal"), QStringLiteral("0"));
    const QCommandLineOption desde(QStringLiteral("desde"),
                                   QStringLiteral("Primer punto de venta (0 si se omite)."),
                                   QStringLiteral("punto"));
    const QCommandLineOption hasta(QStringLiteral("hasta"),
                                   QStringLiteral("Último punto de venta (99999 si se omite)."),
                                   QStringLiteral("punto"));
    parser.addOptions({sucursal, desde, hasta});
    parser.process(application);

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 6) {
        std::fputs(qUtf8Printable(QStringLiteral("Se esperan seis argumentos.\n\n") + parser.helpText()),
                   stderr);
        return 2;
    }
    return quelmaro::runCierre({positional[0], positional[1], positional[2], positional[3], positional[4],
                                positional[5], parser.value(sucursal), parser.value(desde),
                                parser.value(hasta)});
}
