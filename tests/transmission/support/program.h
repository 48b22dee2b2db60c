#pragma once

#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <functional>
#include <memory>

namespace quelmaro::test {

// The program itself, started as a scheduler starts it: without a display, without dialogs, with the
// eleven arguments of an unattended transmission from the demo branch company to the central company.
class Program {
public:
    Program(const CompanyPair& companies, const Installation& installation);

    // The arguments of a run-mode "1" transmission of `day`; `change` may alter them (index 0 is argument 1).
    QStringList arguments(const QDate& day, const std::function<void(QStringList&)>& change = {}) const;

    struct Ended {
        int exitCode = -1;
        bool crashed = false; // killed, or ended by a signal
        QString errorOutput;
    };
    // Sets a variable of the programs' environment (QUELMARO_LOCK_TIMEOUT, say).
    void setEnvironment(const QString& name, const QString& value);

    // Runs to its end (a minute at the most; a hang fails the test).
    Ended run(const QStringList& arguments);
    // Starts one program per line of arguments, `apartMs` milliseconds after each other, and waits for all.
    QList<Ended> runAtOnce(const QList<QStringList>& runs, int apartMs);
    // Starts it and kills it (SIGKILL) as soon as `killNow` answers true, polled every few milliseconds; a
    // program that ends first is left to end. Returns how it ended.
    Ended runUntil(const QStringList& arguments, const std::function<bool()>& killNow);
    // The same, but does `act` to the running program (given its process id) instead of killing it.
    Ended runUntil(const QStringList& arguments, const std::function<bool()>& actNow,
                   const std::function<void(qint64 pid)>& act);

private:
    std::unique_ptr<QProcess> start(const QStringList& arguments);
    Ended ended(QProcess& process);

    const CompanyPair& companies_;
    QProcessEnvironment environment_;
};

// The tests that run the program itself: a fresh pair of companies and the program installed for them.
class ProgramTest : public testing::Test {
protected:
    explicit ProgramTest(Central central = Central::Demo) : companies(central) {}

    CompanyPair companies;
    Installation installation{{companies.server()}};
    Program program{companies, installation};
};

} // namespace quelmaro::test
