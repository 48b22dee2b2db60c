#include "probe_run.h"

#include <QProcess>

namespace quelmaro::platform::test {

QProcessEnvironment cleanEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QUELMARO_NO_DIALOGS", "XDG_CONFIG_DIRS", "LC_ALL", "LC_TIME", "LC_MONETARY", "LANG"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

ProbeRun runProbe(const QString& mode, const QProcessEnvironment& environment) {
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(PLATFORM_PROBE), {mode});
    ProbeRun run;
    if (!probe.waitForFinished(20000)) {
        probe.kill();
        probe.waitForFinished();
        run.err = QStringLiteral("probe did not finish");
        return run;
    }
    run.exitCode = probe.exitStatus() == QProcess::NormalExit ? probe.exitCode() : -1;
    run.out = QString::fromUtf8(probe.readAllStandardOutput());
    run.err = QString::fromUtf8(probe.readAllStandardError());
    return run;
}

} // namespace quelmaro::platform::test
