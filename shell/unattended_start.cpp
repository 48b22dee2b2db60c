#include "shell/unattended_start.h"

#include "data/dm/formats.h"
#include "data/dm/long_text.h"
#include "data/dm/wait_settings.h"
#include "data/types/errors.h"

#include <QRegularExpression>

namespace quelmaro::shell {

namespace {

constexpr int kArguments = 11;

QString quoted(const QString& argument) {
    return QLatin1Char('\'') + argument + QLatin1Char('\'');
}

bool isDay(const QString& text) {
    try {
        formats::parseShortDate(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

} // namespace

std::optional<QString> unusableUnattendedStart(const QStringList& arguments, bool noDialogs) {
    const QString runMode = arguments.value(9);
    if (!noDialogs && runMode != QLatin1String("1"))
        return std::nullopt;
    if (arguments.isEmpty())
        return QStringLiteral("Sin argumentos el programa abre su ventana y espera a un operador, y "
                              "QUELMARO_NO_DIALOGS=1 dice que no lo hay.");
    if (arguments.size() != kArguments)
        return QStringLiteral("Se esperan %1 argumentos y se recibieron %2.")
            .arg(kArguments)
            .arg(arguments.size());
    if (runMode == QLatin1String("2") || runMode == QLatin1String("3"))
        return QStringLiteral(
                   "El modo %1 (argumento 10) espera que un operador pulse F5; sin operador use el "
                   "modo 1.")
            .arg(runMode);
    if (runMode != QLatin1String("1"))
        return QStringLiteral("Modo de ejecución desconocido (argumento 10): %1; sin operador se usa 1.")
            .arg(quoted(runMode));
    const std::pair<int, const char*> required[] = {{2, "el usuario de origen"},
                                                    {3, "la clave de origen"},
                                                    {4, "la compañía de origen"},
                                                    {8, "la compañía de destino"}};
    for (const auto& [number, what] : required)
        if (arguments.at(number - 1).trimmed().isEmpty())
            return QStringLiteral("Falta %1 (argumento %2).").arg(QString::fromUtf8(what)).arg(number);
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*\\d+\\s*$"));
    if (!wholeNumber.match(arguments.at(8)).hasMatch())
        return QStringLiteral("La agencia (argumento 9) debe ser un SUCU_ID o 0 para todas: %1.")
            .arg(quoted(arguments.at(8)));
    const QString day = arguments.at(10);
    if (day != QLatin1String("CLI") && !isDay(day))
        return QStringLiteral("La fecha (argumento 11) debe ser AAAA/MM/DD o CLI: %1.").arg(quoted(day));
    return dm::waitSettingsProblem();
}

QString usage(const QString& reason) {
    return (reason.isEmpty() ? QString() : dm::cutLongText(reason) + u'\n') +
           QStringLiteral(
               "Uso: quelmaro SERVIDOR USUARIO CLAVE COMPAÑÍA SERVIDOR_DESTINO USUARIO_DESTINO "
               "CLAVE_DESTINO COMPAÑÍA_DESTINO AGENCIA MODO AAAA/MM/DD|CLI\n"
               "  Envía sin operador con MODO 1: AGENCIA es un SUCU_ID (0: todas); la fecha es el día a "
               "enviar, CLI envía los clientes de hoy.\n"
               "  Sin argumentos abre la ventana \"Resumen diario\" (no con QUELMARO_NO_DIALOGS=1).\n"
               "  Una CLAVE vacía se toma de QUELMARO_ORIGIN_PASSWORD y una CLAVE_DESTINO vacía de "
               "QUELMARO_DESTINATION_PASSWORD, que la lista de procesos no muestra.\n"
               "  -h, --help: muestra esta ayuda.\n"
               "  Termina con 0 cuando todo se envió y contabilizó, 1 cuando hubo errores, 2 con una línea "
               "de comandos que no puede usar.\n");
}

bool asksForUsage(const QStringList& arguments) {
    return arguments.size() == 1 &&
           (arguments.front() == QLatin1String("-h") || arguments.front() == QLatin1String("--help"));
}

} // namespace quelmaro::shell
