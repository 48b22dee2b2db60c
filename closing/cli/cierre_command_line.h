#pragma once

#include "closing/cli/cierre_command.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quelmaro {

// What a command line of cierre asks for: the usage, a closing report, or nothing usable (then `problem`
// says why, in Spanish).
struct CierreCommandLine {
    bool usage = false;
    std::optional<CierreArguments> arguments;
    QString problem;
};

// The command line without the program's own path: six positional arguments and the options --sucursal,
// --desde and --hasta (each followed by its value, or with "=value"); -h or --help asks for the usage; after
// "--" everything is a positional argument, for a password that starts with "-".
CierreCommandLine readCierreCommandLine(const QStringList& arguments);

// How cierre is called, its options and its exit codes, in Spanish.
QString cierreUsage();

} // namespace quelmaro
