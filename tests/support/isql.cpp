#include "tests/support/isql.h"

#include <QProcess>

#include <stdexcept>

namespace quelmaro::test {

QString runIsqlScript(const QString& database, const QString& scriptPath, const QString& user,
                      const QString& password) {
    QProcess isql;
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"),
               {QStringLiteral("-q"), QStringLiteral("-bail"), QStringLiteral("-charset"),
                QStringLiteral("UTF8"), QStringLiteral("-user"), user, QStringLiteral("-password"), password,
                QStringLiteral("-input"), scriptPath, database});
    constexpr int kTwoMinutes = 120'000; // a script waiting on a lock must not hang the test run
    const bool finished = isql.waitForFinished(kTwoMinutes);
    if (!finished)
        isql.kill();
    const QString output = QString::fromUtf8(isql.readAll());
    if (!finished || isql.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error(QStringLiteral("isql-fb %1 on %2 did not finish: %3\n%4")
                                     .arg(scriptPath, database, isql.errorString(), output)
                                     .toStdString());
    if (isql.exitCode() != 0)
        throw std::runtime_error(
            QStringLiteral("isql-fb %1 on %2 failed:\n%3").arg(scriptPath, database, output).toStdString());
    return output;
}

} // namespace quelmaro::test
