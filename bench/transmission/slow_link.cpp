#include "bench/transmission/slow_link.h"

#include "bench/relay/latency_relay.h"
#include "bench/transmission/unattended_run.h"
#include "data/fb/connection.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace quelmaro::bench {

namespace {

const QDate kDay{2024, 3, 30};
const QString kUser = QStringLiteral("SYSDBA");
const QString kPassword = QStringLiteral("masterkey");

struct LinkRun {
    const char* name;
    int delayMs;
    bool originRemote; // the relay sits before the origin instead of the destination
};

struct Figures {
    double seconds = 0;
    long documents = 0; // invoices, receipts, transfers and disbursements written
    long lines = 0;     // invoice lines written
    unsigned long long messages = 0;
};

// The server opens the databases as a user of its own, so they live where it can reach them.
QString serverFolder() {
    const QString folder = qEnvironmentVariable("QUELMARO_FB_SERVER_DIR");
    return folder.isEmpty() ? QStringLiteral("/tmp") : folder;
}

Figures countWritten(const CompanyLogin& destination) {
    fb::Connection central;
    central.setParameter(QStringLiteral("Database"), destination.database());
    central.setParameter(QStringLiteral("User_Name"), kUser);
    central.setParameter(QStringLiteral("Password"), kPassword);
    const fb::Row counts =
        central
            .read(
                QStringLiteral("select (select count(*) from facturas) + (select count(*) from recibos_caja)"
                               " + (select count(*) from traslados_caja) + (select count(*) from egresos),"
                               " (select count(*) from facturas_detalle) from rdb$database"))
            .rows.first();
    return {0, long(counts.at(0).toInt()), long(counts.at(1).toInt()), 0};
}

Figures send(const QString& root, const LinkRun& link, int number) {
    LatencyRelay relay{std::chrono::milliseconds(link.delayMs)};
    const QString relayed = QStringLiteral("localhost/%1:%2").arg(relay.port()).arg(root);
    const QString company = QStringLiteral("3%1").arg(number);
    copyEmptyCentral(root, company);
    const CompanyLogin origin{link.originRemote ? relayed : root, QStringLiteral("01"), kUser, kPassword};
    const CompanyLogin destination{link.originRemote ? QStringLiteral("localhost:") + root : relayed, company,
                                   kUser, kPassword};
    const double seconds = transmit(origin, destination, kDay, kDay, UnattendedChoice());
    const unsigned long long messages = relay.counts().toServer;
    Figures figures = countWritten({QStringLiteral("localhost:") + root, company, kUser, kPassword});
    figures.seconds = seconds;
    figures.messages = messages;
    return figures;
}

} // namespace

void sendOverSlowLinks() {
    QTemporaryDir dir(serverFolder() + QStringLiteral("/quelmaro-link-XXXXXX"));
    if (!dir.isValid())
        throw std::runtime_error("no folder for the server's databases");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                          QFile::ExeOther);
    std::printf("\nOne day over a slow link (20 points of sale, 100 lines a point, unattended run)...\n");
    std::fflush(stdout);
    makeDemo(dir.path(), 1, kDay, true);

    const LinkRun runs[] = {{"destination 0 ms", 0, false},
                            {"destination 10 ms", 10, false},
                            {"destination 25 ms", 25, false},
                            {"origin 25 ms", 25, true}};
    double atZero = 0;
    double atTwentyFive = 0;
    int number = 0;
    for (const LinkRun& link : runs) {
        const Figures figures = send(dir.path(), link, ++number);
        std::printf(
            "%-18s %8.2f s %4ld documents %5ld lines %7llu messages %7.1f per document %6.2f per line\n",
            link.name, figures.seconds, figures.documents, figures.lines, figures.messages,
            double(figures.messages) / double(std::max(figures.documents, 1L)),
            double(figures.messages) / double(std::max(figures.lines, 1L)));
        std::fflush(stdout);
        if (!link.originRemote && link.delayMs == 0)
            atZero = figures.seconds;
        if (!link.originRemote && link.delayMs == 25)
            atTwentyFive = figures.seconds;
    }
    std::printf(
        "ratio (destination 25 ms time / 0 ms time): %.1f  (targets: at most 12 messages per document,"
        " the 25 ms run in at most 30 s)\n",
        atTwentyFive / atZero);
}

} // namespace quelmaro::bench
