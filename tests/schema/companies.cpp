#include "tests/schema/companies.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace quelmaro::test {

namespace {

const QStringList kDemoOptions{"--branches", "2",          "--points", "3",  "--days", "6",
                               "--end",      "2024/03/03", "--lines",  "12", "--seed", "7"};

QString databaseUnder(const QString& root, const QString& company) {
    return QDir(root).filePath(QStringLiteral("datos/%1/norvane.fdb").arg(company));
}

void copyCompanies(const QString& fromRoot, const QString& toRoot) {
    for (const QString& company : {QStringLiteral("01"), QStringLiteral("00")}) {
        const QString target = databaseUnder(toRoot, company);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(databaseUnder(fromRoot, company), target))
            throw std::runtime_error("cannot copy the demo company " + company.toStdString() + " from " +
                                     fromRoot.toStdString());
    }
}

} // namespace

QString CompanyRoot::database(const QString& company) const {
    return databaseUnder(root(), company);
}

QString CompanyRoot::createCompany(const QString& company, const QStringList& options) {
    runSchemaScript(QStringLiteral("create-company.sh"), QStringList{root(), company} + options);
    return database(company);
}

void CompanyRoot::makeDemo(const QStringList& options) {
    runSchemaScript(QStringLiteral("make-demo.sh"), QStringList{root()} + options);
}

QString runSchemaScript(const QString& script, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"),
                  QStringList{QStringLiteral(QUELMARO_SCHEMA_DIR "/") + script} + arguments);
    constexpr int kFiveMinutes = 300'000; // never hang the test run on a script that waits on a lock
    const bool finished = process.waitForFinished(kFiveMinutes);
    if (!finished)
        process.kill();
    const QString output = QString::fromUtf8(process.readAll());
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2 failed: %3")
                                     .arg(script, arguments.join(QLatin1Char(' ')), output)
                                     .toStdString());
    return output;
}

std::unique_ptr<fb::Connection> openDatabase(const QString& path) {
    auto connection = std::make_unique<fb::Connection>();
    connection->setParameter(QStringLiteral("Database"), path);
    connection->setParameter(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    connection->setParameter(QStringLiteral("Password"), QStringLiteral("masterkey"));
    connection->open();
    return connection;
}

namespace demo {

void prepare(const QString& root) {
    QDir(root).removeRecursively();
    runSchemaScript(QStringLiteral("make-demo.sh"), QStringList{root} + kDemoOptions);
}

const CompanyRoot& shared() {
    static const std::unique_ptr<CompanyRoot> copy = [] {
        auto made = std::make_unique<CompanyRoot>();
        // The engine lets one process at a time open a file, so every process reads a copy.
        const QString prepared = qEnvironmentVariable("QUELMARO_SCHEMA_DEMO");
        if (prepared.isEmpty())
            made->makeDemo(kDemoOptions);
        else
            copyCompanies(prepared, made->root());
        return made;
    }();
    return *copy;
}

QString origin() {
    return shared().database(QStringLiteral("01"));
}

QString central() {
    return shared().database(QStringLiteral("00"));
}

void copyInto(const CompanyRoot& root) {
    copyCompanies(shared().root(), root.root());
}

} // namespace demo

} // namespace quelmaro::test
