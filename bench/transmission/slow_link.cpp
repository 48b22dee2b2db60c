#include "bench/transmission/slow_link.h"

#include "bench/relay/latency_relay.h"
#include "bench/transmission/unattended_run.h"
#include "data/fb/connection.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace quelmaro::bench {

namespace {

const QDate kDay{2024, 3, 30};
const QString kUser = QStringLiteral("SYSDBA");
const QString kPassword = QStringLiteral("masterkey");

struct LinkRun {
    const char* name;
    int delayMs;
    bool originRemote;      // the relay sits before the origin instead of the destination
    bool compressed = true; // the connections ask for wire compression
};

struct Figures {
    double seconds = 0;
    long documents = 0; // invoices, receipts, transfers and disbursements written
    long lines = 0;     // invoice lines written
    unsigned long long messages = 0;
    unsigned long long bytes = 0; // both ways
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
    if (!link.compressed)
        qputenv("QUELMARO_WIRE_COMPRESSION", "0");
    const double seconds = transmit(origin, destination, kDay, kDay, UnattendedChoice());
    qunsetenv("QUELMARO_WIRE_COMPRESSION");
    const LatencyRelay::Counts counts = relay.counts();
    Figures figures = countWritten({QStringLiteral("localhost:") + root, company, kUser, kPassword});
    figures.seconds = seconds;
    figures.messages = counts.toServer;
    figures.bytes = counts.bytesToServer + counts.bytesToClient;
    return figures;
}

// A folder for the server's databases, removed afterwards.
std::unique_ptr<QTemporaryDir> serverDatabases() {
    auto dir = std::make_unique<QTemporaryDir>(serverFolder() + QStringLiteral("/quelmaro-link-XXXXXX"));
    if (!dir->isValid())
        throw std::runtime_error("no folder for the server's databases");
    QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);
    return dir;
}

void printFigures(const char* name, const Figures& figures) {
    std::printf("%-34s %8.2f s %4ld documents %5ld lines %7llu messages %6.1f per document %6.2f per line "
                "%9llu bytes\n",
                name, figures.seconds, figures.documents, figures.lines, figures.messages,
                double(figures.messages) / double(std::max(figures.documents, 1L)),
                double(figures.messages) / double(std::max(figures.lines, 1L)), figures.bytes);
    std::fflush(stdout);
}

} // namespace

void sendOverSlowLinks() {
    const std::unique_ptr<QTemporaryDir> dir = serverDatabases();
    std::printf("\nOne day over a slow link (20 points of sale, 100 lines a point, unattended run)...\n");
    std::fflush(stdout);
    makeDemo(dir->path(), 1, kDay, true);

    const LinkRun runs[] = {{"destination 0 ms", 0, false},
                            {"destination 10 ms", 10, false},
                            {"destination 25 ms", 25, false},
                            {"destination 25 ms, no compression", 25, false, false},
                            {"origin 25 ms", 25, true}};
    double atZero = 0;
    double atTwentyFive = 0;
    int number = 0;
    for (const LinkRun& link : runs) {
        const Figures figures = send(dir->path(), link, ++number);
        printFigures(link.name, figures);
        if (!link.originRemote && link.delayMs == 0)
            atZero = figures.seconds;
        if (!link.originRemote && link.delayMs == 25 && link.compressed)
            atTwentyFive = figures.seconds;
    }
    std::printf(
        "ratio (destination 25 ms time / 0 ms time): %.1f  (targets: at most 12 messages per document,"
        " the 25 ms run in at most 30 s)\n",
        atTwentyFive / atZero);
}

void catchUpOverASlowLink() {
    constexpr int kDays = 30;
    const std::unique_ptr<QTemporaryDir> dir = serverDatabases();
    std::printf(
        "\n%d missed days of the store demo (3 points of sale, 24 lines a point) caught up over a 25 ms "
        "link, one run per day...\n",
        kDays);
    std::fflush(stdout);
    makeDemo(dir->path(), kDays, kDay, true, 3, 24);
    LatencyRelay relay{std::chrono::milliseconds(25)};
    const CompanyLogin origin{dir->path(), QStringLiteral("01"), kUser, kPassword};
    const CompanyLogin destination{QStringLiteral("localhost/%1:%2").arg(relay.port()).arg(dir->path()),
                                   QStringLiteral("00"), kUser, kPassword};
    Figures figures;
    for (QDate day = kDay.addDays(1 - kDays); day <= kDay; day = day.addDays(1))
        figures.seconds += transmit(origin, destination, day, day, UnattendedChoice());
    const LatencyRelay::Counts counts = relay.counts();
    const Figures written =
        countWritten({QStringLiteral("localhost:") + dir->path(), QStringLiteral("00"), kUser, kPassword});
    figures.documents = written.documents;
    figures.lines = written.lines;
    figures.messages = counts.toServer;
    figures.bytes = counts.bytesToServer + counts.bytesToClient;
    printFigures("30 days, destination 25 ms", figures);
    std::printf("per day: %.2f s, %llu bytes\n", figures.seconds / kDays, figures.bytes / kDays);
}

} // namespace quelmaro::bench
