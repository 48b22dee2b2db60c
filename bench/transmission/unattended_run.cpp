#include "bench/transmission/unattended_run.h"

#include "data/dm/dm.h"
#include "transmission/window/transmission_steps.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace quelmaro::bench {

namespace {

class Silent : public Progress {
public:
    void show(const QString&) override {}
    void hide() override {}
};

class WholeRange : public PointRange {
public:
    QString first() const override { return QStringLiteral("0"); }
    QString last() const override { return QStringLiteral("999999"); }
    void setFirst(const QString&) override {}
    void setLast(const QString&) override {}
};

} // namespace

double transmit(const CompanyLogin& origin, const CompanyLogin& destination, const QDate& from,
                const QDate& to, const StepChoice& choice) {
    Tfdm dataModule;
    fb::Connection dbOrigen;
    Silent progress;
    Run run(
        dbOrigen, dataModule.Norvane, RunSettings{origin.user, QStringLiteral("1")}, progress,
        [&](const QString& module, const QString& category, const QString& property) {
            return dataModule.configuracion(module, category, property);
        },
        [&](QObject& owner) { dataModule.ConfigurarProviders(&owner); });
    QObject window;
    TransmissionSteps steps(window, run);
    dataModule.ConfigurarProviders(&window);
    WholeRange range;

    QElapsedTimer timer;
    timer.start();
    connectDatabases(run, origin, destination, [](const QString&) {});
    runDates(run, {from, to, QStringLiteral("0")}, range, choice, steps.steps());
    return double(timer.nsecsElapsed()) / 1e9;
}

void makeDemo(const QString& root, int days, const QDate& lastDay, bool forTheServer, int points, int lines) {
    QStringList arguments{QStringLiteral(QUELMARO_SCHEMA_DIR "/make-demo.sh"),
                          root,
                          QStringLiteral("--points"),
                          QString::number(points),
                          QStringLiteral("--days"),
                          QString::number(days),
                          QStringLiteral("--lines"),
                          QString::number(lines),
                          QStringLiteral("--end"),
                          lastDay.toString(QStringLiteral("yyyy/MM/dd")),
                          QStringLiteral("--seed"),
                          QStringLiteral("5")};
    if (forTheServer)
        arguments << QStringLiteral("--chown");
    QProcess demo;
    demo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    demo.setStandardOutputFile(QProcess::nullDevice());
    demo.start(QStringLiteral("bash"), arguments);
    if (!demo.waitForFinished(-1) || demo.exitCode() != 0)
        throw std::runtime_error("the demo companies could not be made");
}

void copyEmptyCentral(const QString& root, const QString& company) {
    const QString folder = root + QStringLiteral("/datos/") + company;
    const QString file = folder + QStringLiteral("/norvane.fdb");
    QDir().mkpath(folder);
    if (!QFile::copy(root + QStringLiteral("/datos/00/norvane.fdb"), file))
        throw std::runtime_error("the central company could not be copied");
    // The server runs as a user of its own.
    const auto everybody = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                           QFile::ReadOther | QFile::WriteOther;
    QFile::setPermissions(folder, everybody | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    QFile::setPermissions(file, everybody);
}

} // namespace quelmaro::bench
