#include "tests/transmission/support/program.h"

#include "data/types/datetime.h"

#include <QElapsedTimer>
#include <QThread>

#include <csignal>

#include <stdexcept>

namespace quelmaro::test {

namespace {
constexpr int kOneMinute = 60'000;
}

Program::Program(const CompanyPair& companies, const Installation& installation)
    : companies_(companies), environment_(QProcessEnvironment::systemEnvironment()) {
    environment_.insert(QStringLiteral("QUELMARO_NO_DIALOGS"), QStringLiteral("1"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment_.insert(QStringLiteral("XDG_CONFIG_DIRS"), installation.configFolder());
}

QStringList Program::arguments(const QDate& day, const std::function<void(QStringList&)>& change) const {
    QStringList arguments{companies_.server(),   companies_.user(),        companies_.password(),
                          CompanyPair::kOrigin,  companies_.server(),      companies_.user(),
                          companies_.password(), CompanyPair::kCentral,    QStringLiteral("0"),
                          QStringLiteral("1"),   datetime::formatDate(day)};
    if (change)
        change(arguments);
    return arguments;
}

std::unique_ptr<QProcess> Program::start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment_);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(QStringLiteral(QUELMARO_PROGRAM), arguments);
    if (!process->waitForStarted())
        throw std::runtime_error("the program " QUELMARO_PROGRAM " did not start");
    return process;
}

Program::Ended Program::ended(QProcess& process) {
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(kOneMinute)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error("the program did not end within a minute");
    }
    return Ended{process.exitCode(), process.exitStatus() != QProcess::NormalExit,
                 QString::fromUtf8(process.readAllStandardError())};
}

void Program::setEnvironment(const QString& name, const QString& value) {
    environment_.insert(name, value);
}

Program::Ended Program::run(const QStringList& arguments) {
    const auto process = start(arguments);
    return ended(*process);
}

QList<Program::Ended> Program::runAtOnce(const QList<QStringList>& runs, int apartMs) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList& arguments : runs) {
        if (!processes.empty())
            QThread::msleep(apartMs);
        processes.push_back(start(arguments));
    }
    QList<Ended> all;
    for (const auto& process : processes)
        all.append(ended(*process));
    return all;
}

Program::Ended Program::runUntil(const QStringList& arguments, const std::function<bool()>& killNow) {
    return runUntil(arguments, killNow, [](qint64 pid) { ::kill(pid_t(pid), SIGKILL); });
}

Program::Ended Program::runUntil(const QStringList& arguments, const std::function<bool()>& actNow,
                                 const std::function<void(qint64 pid)>& act) {
    const auto process = start(arguments);
    QElapsedTimer waited;
    waited.start();
    while (process->state() != QProcess::NotRunning) {
        if (actNow()) {
            act(process->processId());
            break;
        }
        if (waited.elapsed() > kOneMinute) {
            process->kill();
            process->waitForFinished();
            throw std::runtime_error(
                "the program ran a minute without reaching the point where it was to be killed");
        }
        process->waitForFinished(5);
    }
    return ended(*process);
}

} // namespace quelmaro::test
