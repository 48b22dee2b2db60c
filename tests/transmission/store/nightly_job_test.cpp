// The passwords of an unattended run reach the programs through their environment: the nightly job, with
// the real programs and a store's login to the central, sends a day while no command line on the machine
// shows either password.
#include "tests/support/temp_dir.h"
#include "tests/transmission/store/store_login.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include <algorithm>

namespace quelmaro::test {
namespace {

constexpr int kOneMinute = 60'000;

class PasswordsFromEnvironmentTest : public ProgramTest {
protected:
    QStringList withoutPasswords() const {
        return program.arguments(CompanyPair::kFirstDay, [](QStringList& arguments) {
            arguments[2].clear();
            arguments[6].clear();
        });
    }
};

TEST_F(PasswordsFromEnvironmentTest, EmptyPasswordArgumentsAreTakenFromTheEnvironment) {
    const Program::Ended refused = program.run(withoutPasswords());
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errorOutput.contains(QStringLiteral("Falta la clave de origen (argumento 3)")))
        << refused.errorOutput.toStdString();

    program.setEnvironment(QStringLiteral("QUELMARO_ORIGIN_PASSWORD"), companies.password());
    program.setEnvironment(QStringLiteral("QUELMARO_DESTINATION_PASSWORD"), companies.password());
    const Program::Ended sent = program.run(withoutPasswords());
    EXPECT_EQ(sent.exitCode, 0) << sent.errorOutput.toStdString();
}

// Writes an executable script at `path` that runs `program` through the command-line recorder.
void writeRecordedProgram(const QString& path, const QString& program) {
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nexec '%1' '%2' \"$@\"\n")
                     .arg(QStringLiteral(QUELMARO_COMMAND_LINES), program)
                     .toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

TEST_F(PasswordsFromEnvironmentTest, TheNightlyJobShowsNoPasswordInTheProcessList) {
    const StoreLogin store(companies);
    const TempDir work;
    writeRecordedProgram(work.filePath(QStringLiteral("quelmaro")), QStringLiteral(QUELMARO_PROGRAM));
    writeRecordedProgram(work.filePath(QStringLiteral("cierre")), QStringLiteral(QUELMARO_CIERRE));
    const QString commandLines = work.filePath(QStringLiteral("command-lines"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QList<std::pair<const char*, QString>> settings{
        {"XDG_CONFIG_DIRS", installation.configFolder()},
        {"COMMAND_LINES", commandLines},
        {"QUELMARO", work.filePath(QStringLiteral("quelmaro"))},
        {"CIERRE", work.filePath(QStringLiteral("cierre"))},
        {"ORIGIN_SERVER", companies.server()},
        {"ORIGIN_USER", companies.user()},
        {"ORIGIN_PASSWORD", companies.password()},
        {"ORIGIN_COMPANY", CompanyPair::kOrigin},
        {"DESTINATION_SERVER", companies.server()},
        {"DESTINATION_USER", store.name()},
        {"DESTINATION_PASSWORD", store.password()},
        {"DESTINATION_ROLE", StoreLogin::kRole},
        {"DESTINATION_COMPANY", CompanyPair::kCentral},
        {"REPORT_FOLDER", work.filePath(QStringLiteral("cierres"))},
        {"STATE_FOLDER", work.filePath(QStringLiteral("estado"))},
        {"DAY", QStringLiteral("2024/03/02")},
        {"SEND_TRIES", QStringLiteral("1")},
    };
    for (const auto& [name, value] : settings)
        environment.insert(QString::fromLatin1(name), value);
    QProcess job;
    job.setProcessEnvironment(environment);
    // A session of its own: the processes whose command lines are read are the job's.
    job.start(QStringLiteral("setsid"), {QStringLiteral("--wait"), QStringLiteral(QUELMARO_NIGHTLY_JOB)});
    ASSERT_TRUE(job.waitForFinished(3 * kOneMinute));
    const QString output = QString::fromUtf8(job.readAllStandardOutput() + job.readAllStandardError());
    EXPECT_EQ(job.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(QFile::exists(work.filePath(QStringLiteral("cierres/cierre-2024-03-02.pdf"))))
        << output.toStdString();

    QFile file(commandLines);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const char* program : {QUELMARO_PROGRAM, QUELMARO_CIERRE}) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const QString& line) {
                                    return line.startsWith(QString::fromUtf8(program) + QLatin1Char(' ')) &&
                                           line.contains(companies.server());
                                }))
            << program << " no se vio correr:\n"
            << lines.join(QLatin1Char('\n')).toStdString();
    }
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains(companies.password())) << line.toStdString();
        EXPECT_FALSE(line.contains(store.password())) << line.toStdString();
    }
}

} // namespace
} // namespace quelmaro::test
