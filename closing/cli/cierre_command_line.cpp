#include "closing/cli/cierre_command_line.h"

namespace quelmaro {

namespace {

constexpr int kPositional = 6;

// The field of the arguments an option sets, by its name; null for no option of cierre.
QString* optionField(CierreArguments& arguments, const QString& name) {
    if (name == QLatin1String("--sucursal"))
        return &arguments.sucursal;
    if (name == QLatin1String("--desde"))
        return &arguments.desde;
    if (name == QLatin1String("--hasta"))
        return &arguments.hasta;
    return nullptr;
}

CierreCommandLine refused(const QString& problem) {
    return CierreCommandLine{false, std::nullopt, problem};
}

} // namespace

CierreCommandLine readCierreCommandLine(const QStringList& arguments) {
    CierreArguments read;
    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == QLatin1String("-")) {
            positional << argument;
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return CierreCommandLine{true, std::nullopt, QString()};
        } else {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.left(equals);
            QString* field = optionField(read, name);
            if (!field)
                return refused(QStringLiteral("Opción desconocida: %1.").arg(name));
            if (equals >= 0)
                *field = argument.mid(equals + 1);
            else if (i + 1 < arguments.size())
                *field = arguments[++i];
            else
                return refused(QStringLiteral("Falta el valor de la opción %1.").arg(name));
        }
    }
    if (positional.size() != kPositional)
        return refused(
            QStringLiteral("Se esperan seis argumentos y se recibieron %1.").arg(positional.size()));
    read.servidor = positional[0];
    read.usuario = positional[1];
    read.clave = positional[2];
    read.compania = positional[3];
    read.fecha = positional[4];
    read.salida = positional[5];
    return CierreCommandLine{false, read, QString()};
}

QString cierreUsage() {
    return QStringLiteral(
        "Uso: cierre [opciones] SERVIDOR USUARIO CLAVE COMPAÑÍA AAAA/MM/DD SALIDA\n"
        "Imprime el cierre diario de una compañía en una impresora o en un archivo .pdf, .ndr, .rtf o .txt, "
        "como la ventana \"Imprimir cierre\".\n"
        "\n"
        "Argumentos:\n"
        "  SERVIDOR      Servidor, como en SERVIDORES.cfg.\n"
        "  USUARIO       Usuario de la base de datos.\n"
        "  CLAVE         Clave del usuario.\n"
        "  COMPAÑÍA      Código de la compañía.\n"
        "  AAAA/MM/DD    Fecha del cierre.\n"
        "  SALIDA        Archivo .pdf, .ndr, .rtf o .txt, o nombre de una impresora.\n"
        "\n"
        "Opciones:\n"
        "  --sucursal N      Sucursal (SUCU_ID); 0, el valor por omisión, para todas.\n"
        "  --desde PUNTO     Primer punto de venta (0 si se omite).\n"
        "  --hasta PUNTO     Último punto de venta (99999 si se omite).\n"
        "  --                Lo que sigue son argumentos, aunque empiecen con \"-\".\n"
        "  -h, --help        Muestra esta ayuda.\n"
        "\n"
        "Termina con 0 cuando el cierre salió, 1 cuando no salió (el error queda en ERRORES.TXT) y 2 con una "
        "línea de comandos que no puede usar.\n");
}

} // namespace quelmaro
