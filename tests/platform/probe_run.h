#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quelmaro::platform::test {

struct ProbeRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// This environment without the variables that decide what the probe reads or shows.
QProcessEnvironment cleanEnvironment();

// Runs the probe program with `mode` (see probe.cpp) and waits for it to end.
ProbeRun runProbe(const QString& mode, const QProcessEnvironment& environment);

} // namespace quelmaro::platform::test
