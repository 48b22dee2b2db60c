// Speed of a whole transmission against the least a program must do to write the same rows.
//   30 days x 20 points of sale x 100 invoice lines a day a point, made by the schema's demo command, with
//   origin and destination on the embedded engine in this process; sales and receipts are sent, each
//   followed by its posting.
//   Transmission: the run driver with the window's steps, as F5 runs them.
//   Floor: the same days written with prepared statements, one transaction per document (floor.cpp).
// Each writes into its own copy of the empty central company, three times in turn. Prints documents and
// invoice lines per second of every run and the ratio of the best times; the target is a ratio of at most 2.
// Then one day over a slow link and a month of nights caught up over it (slow_link.h). "bench_transmission
// local", "link" or "catchup" runs only one part.
#include "bench/transmission/floor.h"
#include "bench/transmission/slow_link.h"
#include "bench/transmission/unattended_run.h"
#include "data/fb/connection.h"
#include "platform/memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using namespace quelmaro;

namespace {

constexpr int kDays = 30;
constexpr int kRounds = 3;
const QDate kLastDay{2024, 3, 30};
const QDate kFirstDay = kLastDay.addDays(1 - kDays);
const QString kUser = QStringLiteral("SYSDBA");
const QString kPassword = QStringLiteral("masterkey");

// Every run writes into its own copy of the empty central company.
QString emptyCentral(const QString& root, const QString& company) {
    bench::copyEmptyCentral(root, company);
    return company;
}

std::unique_ptr<fb::Connection> open(const QString& root, const QString& company) {
    auto connection = std::make_unique<fb::Connection>();
    connection->setParameter(QStringLiteral("Database"),
                             CompanyLogin{root, company, kUser, kPassword}.database());
    connection->setParameter(QStringLiteral("User_Name"), kUser);
    connection->setParameter(QStringLiteral("Password"), kPassword);
    connection->open();
    return connection;
}

bench::Written countWritten(fb::Connection& destination) {
    const fb::Row counts =
        destination
            .query(QStringLiteral(
                "select (select count(*) from facturas) + (select count(*) from recibos_caja), "
                "(select count(*) from facturas_detalle) from rdb$database"))
            .rows.first();
    return {long(counts.at(0).toInt()), long(counts.at(1).toInt())};
}

double transmit(const QString& root, const QString& central, bench::Written& written) {
    const double seconds =
        bench::transmit({root, QStringLiteral("01"), kUser, kPassword}, {root, central, kUser, kPassword},
                        kFirstDay, kLastDay, bench::SalesAndReceipts());
    written = countWritten(*open(root, central));
    return seconds;
}

double floorRun(const QString& root, const QString& central, bench::Written& written) {
    const auto origin = open(root, QStringLiteral("01"));
    const auto destination = open(root, central);
    QElapsedTimer timer;
    timer.start();
    written = bench::sendFloor(*origin, *destination, kFirstDay, kLastDay, kUser);
    return double(timer.nsecsElapsed()) / 1e9;
}

void print(const char* name, const bench::Written& written, double seconds) {
    std::printf("%-13s %6ld documents %7ld lines %8.2f s %9.1f documents/s %10.1f lines/s\n", name,
                written.documents, written.lines, seconds, double(written.documents) / seconds,
                double(written.lines) / seconds);
    std::fflush(stdout);
}

void sendThirtyDays() {
    QTemporaryDir dir;
    const QString root = dir.path();
    std::printf("Making the demo companies (%d days, 20 points of sale, 100 lines a point a day)...\n",
                kDays);
    std::fflush(stdout);
    bench::makeDemo(root, kDays, kLastDay, false);

    // The machine is shared: the two programs take turns, and the best time of each counts.
    double transmission = 1e9;
    double floorSeconds = 1e9;
    for (int round = 1; round <= kRounds; ++round) {
        bench::Written transmitted;
        const double t = transmit(root, emptyCentral(root, QStringLiteral("1%1").arg(round)), transmitted);
        print("transmission", transmitted, t);
        bench::Written floor;
        const double f = floorRun(root, emptyCentral(root, QStringLiteral("2%1").arg(round)), floor);
        print("floor", floor, f);
        transmission = std::min(transmission, t);
        floorSeconds = std::min(floorSeconds, f);
    }
    std::printf("best of %d: transmission %.2f s, floor %.2f s\n", kRounds, transmission, floorSeconds);
    std::printf("ratio (transmission time / floor time): %.2f  (target: at most 2)\n",
                transmission / floorSeconds);
}

} // namespace

int main(int argc, char** argv) {
    platform::keepFreedMemoryForReuse(); // as the program runs
    qputenv("QUELMARO_NO_DIALOGS", "1"); // a message would only wait for nobody
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string only = argc > 1 ? argv[1] : "";
    const auto wanted = [&](const char* part) { return only.empty() || only == part; };
    if (wanted("local"))
        sendThirtyDays();
    if (wanted("link"))
        bench::sendOverSlowLinks();
    if (wanted("catchup"))
        bench::catchUpOverASlowLink();
    return 0;
}
