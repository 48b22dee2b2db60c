#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quelmaro::shell {

// Whether the command line (without the program's own path) can start a run that needs nobody. It is asked
// of every start made without dialogs (QUELMARO_NO_DIALOGS=1), where an operator cannot answer, and of every
// start in run mode "1", which promises a run without an operator: then all eleven arguments are needed, the
// run mode must be "1", the origin user, password and company and the destination company must be given,
// the branch must be a whole number and the last argument "CLI" or a date AAAA/MM/DD, and the waits the
// environment sets must be usable. Gives what is wrong,
// in Spanish, or nothing when the start is usable (or is an interactive one).
std::optional<QString> unusableUnattendedStart(const QStringList& arguments, bool noDialogs);

// How the program is called and what its exit codes mean, after the reason when there is one.
QString usage(const QString& reason = QString());

// Whether the command line (without the program's own path) only asks for the usage: -h or --help alone.
bool asksForUsage(const QStringList& arguments);

// What the program returns for a command line it cannot use.
constexpr int kUnusableCommandLine = 2;

} // namespace quelmaro::shell
