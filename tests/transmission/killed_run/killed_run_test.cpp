// The unattended transmission killed at several points, cut off from the server, run twice at once or held up
// by another session, and started again: every document arrives once and is posted once to each ledger, in
// the demo central company and in one that keeps only the suite's contract, whose posting procedures append
// a posting at every call.
#include "data/fb/connection.h"
#include "data/fb/transaction.h"
#include "tests/support/printers.h"
#include "tests/support/server_user.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>

#include <functional>
#include <sstream>
#include <tuple>

namespace quelmaro::test {
namespace {

const QDate kDay{2024, 3, 2};

// A moment of the run seen from the destination: kill once this many rows of `table` exist ("ledger": the
// central's ledger, whatever its name). With a held
// row, the run cannot pass the statement that waits for it, so the kill falls before that statement: the
// prefix row of a document type blocks the numbering of the next document of that type and prefix. A lost
// connection also ends that wait.
struct KillPoint {
    const char* table;
    int rows;
    const char* heldPrefix = nullptr; // "<tido_cod>:<pref_pre>" of the prefijos row held, or none
    bool disconnect = false;          // the server drops the run's attachment instead of a kill
};

struct Scenario {
    const char* name;
    QList<KillPoint> kills; // one run per kill point, then one run to the end
};

void PrintTo(const std::tuple<Central, Scenario>& param, std::ostream* out) {
    PrintTo(std::get<0>(param), out);
    *out << "_" << std::get<1>(param).name;
}

class KilledRunTest : public ProgramTest {
protected:
    explicit KilledRunTest(Central central = Central::Demo) : ProgramTest(central) {}

    std::int64_t count(fb::Connection& company, const QString& sql, const QList<Value>& params = {}) {
        return company.query(sql, params).rows.first().at(0).toInt();
    }
    std::int64_t rows(const char* table) {
        const QString name = qstrcmp(table, "ledger") == 0 ? companies.ledgerTable() : QLatin1String(table);
        return count(*central, QStringLiteral("select count(*) from %1").arg(name));
    }
    void setOpeningYear(const QString& year) {
        central->execute(QStringLiteral("update configuracion set conf_valor = ? where conf_propiedad = "
                                        "'ANO BALANCE DE APERTURA NIIF'"),
                         {year});
    }
    std::unique_ptr<fb::Transaction> holdPrefix(const QString& heldPrefix) {
        const QStringList prefix = heldPrefix.split(QLatin1Char(':'));
        auto holding = central->startTransaction();
        holding->execute(
            QStringLiteral(
                "update prefijos set pref_nombre = pref_nombre where tido_cod = ? and pref_pre = ?"),
            {prefix.at(0).toInt(), prefix.at(1)});
        return holding;
    }
    // The server ends the program's attachment to the central company, as a server stopped under it would.
    void disconnect(qint64 pid) {
        central->execute(QStringLiteral("delete from mon$attachments where mon$remote_pid = ? and "
                                        "mon$attachment_id <> current_connection"),
                         {pid});
    }

    // Every point that sold on the day has one invoice with the day's lines, one send record and one receipt
    // paying it; every invoice, receipt and transfer of the day is posted once to the local ledger and once
    // to the NIIF one (the day is past the opening year), every posting is handed over, and the posting
    // journal is empty.
    void expectSentOnceAndPosted();

    std::unique_ptr<fb::Connection> origin = companies.open(CompanyPair::kOrigin);
    std::unique_ptr<fb::Connection> central = companies.open(CompanyPair::kCentral);
};

class KilledRunsTest : public KilledRunTest,
                       public testing::WithParamInterface<std::tuple<Central, Scenario>> {
protected:
    KilledRunsTest() : KilledRunTest(std::get<0>(GetParam())) {}
};

TEST_P(KilledRunsTest, EveryDocumentArrivesAndIsPostedExactlyOnce) {
    const QStringList arguments = program.arguments(kDay);
    for (const KillPoint& kill : std::get<1>(GetParam()).kills) {
        std::unique_ptr<fb::Transaction> holding;
        if (kill.heldPrefix)
            holding = holdPrefix(QString::fromLatin1(kill.heldPrefix));
        const auto reached = [&] { return rows(kill.table) >= kill.rows; };
        const Program::Ended stopped =
            kill.disconnect ? program.runUntil(arguments, reached, [&](qint64 pid) { disconnect(pid); })
                            : program.runUntil(arguments, reached);
        if (kill.heldPrefix && !kill.disconnect) {
            EXPECT_TRUE(stopped.crashed) << "the run passed the held row of " << kill.heldPrefix;
        }
        if (kill.disconnect) {
            EXPECT_EQ(stopped.exitCode, 1);
            EXPECT_TRUE(stopped.errorOutput.contains(
                QStringLiteral("ERROR: Se perdió la conexión con el servidor de la base de datos")))
                << stopped.errorOutput.toStdString();
            EXPECT_TRUE(stopped.errorOutput.contains(QLatin1String("; interrumpido en punto ")))
                << stopped.errorOutput.toStdString();
        }
    }
    const Program::Ended last = program.run(arguments);
    ASSERT_EQ(last.exitCode, 0) << last.errorOutput.toStdString();
    EXPECT_TRUE(
        last.errorOutput.trimmed().split(QLatin1Char('\n')).last().endsWith(QLatin1String("; sin fallas")))
        << last.errorOutput.toStdString();
    expectSentOnceAndPosted();
}

void KilledRunTest::expectSentOnceAndPosted() {
    const fb::QueryResult points = origin->query(
        QStringLiteral("select distinct f.ptvt_id from facturas f join auditoria a on a.audi_iddoc = "
                       "f.fact_id and a.tido_cod = 31 "
                       "and a.audi_oper = 'I' where f.fact_fecha = ? and f.fact_anulado = 'N' order by 1"),
        {kDay});
    ASSERT_FALSE(points.rows.isEmpty());
    for (const fb::Row& point : points.rows) {
        SCOPED_TRACE("point " + point.at(0).toString().toStdString());
        const fb::QueryResult invoices = central->query(
            QStringLiteral("select fact_id from facturas where ptvt_id = ? and fact_fecha = ?"),
            {point.at(0), kDay});
        ASSERT_EQ(invoices.rows.size(), 1);
        const Value invoice = invoices.rows.first().at(0);
        // Its lines are the origin's sales of the day, once.
        EXPECT_EQ(count(*central, QStringLiteral("select count(*) from facturas_detalle where fact_id = ?"),
                        {invoice}),
                  count(*origin, QStringLiteral("select count(*) from resumen_ventas_tx(?, ?, '00:00:00')"),
                        {kDay, point.at(0)}));
        EXPECT_EQ(count(*central,
                        QStringLiteral(
                            "select count(*) from envio_resumdia where ptvt_id = ? and enre_fecha = ? and "
                            "enre_factid = ?"),
                        {point.at(0), kDay, invoice}),
                  1);
        EXPECT_EQ(
            count(*central,
                  QStringLiteral("select count(*) from recibos_caja r join recibos_caja_detalle d on "
                                 "d.reca_id = r.reca_id where r.reca_anulado = 'N' and d.rcde_iddoc = ?"),
                  {invoice}),
            1);
    }
    EXPECT_EQ(rows("facturas"), points.rows.size());
    EXPECT_EQ(rows("envio_resumdia"), points.rows.size());
    EXPECT_EQ(rows("recibos_caja"), points.rows.size());
    EXPECT_GT(rows("traslados_caja"), 0);

    const fb::QueryResult postings = central->query(companies.postingsByDocument());
    for (const fb::Row& document : postings.rows) {
        SCOPED_TRACE("document " + document.at(0).toString().toStdString() + ":" +
                     document.at(1).toString().toStdString());
        EXPECT_EQ(document.at(2).toInt(), 1);
        EXPECT_EQ(document.at(3).toInt(), 1);
        EXPECT_EQ(document.at(4).toInt(), 0);
    }
    EXPECT_EQ(rows("ledger"), 2 * postings.rows.size()); // no posting of a document that is not there
    EXPECT_EQ(rows("contabilizaciones_pendientes"), 0);
}

// What a complete run wrote, table by table, with the amounts of the copied documents.
QStringList written(fb::Connection& central) {
    QStringList figures;
    for (const char* sql :
         {"select count(*) from facturas", "select count(*) from facturas_detalle",
          "select count(*) from recibos_caja", "select count(*) from recibos_caja_pago",
          "select count(*) from envio_resumdia", "select count(*) from traslados_caja",
          "select coalesce(sum(trcd_monto), 0) from traslados_caja_det", "select count(*) from egresos",
          "select coalesce(sum(egca_monto), 0) from egresos_caja", "select count(*) from egresos_detalle"})
        figures.append(QString::fromLatin1(sql) + " = " +
                       central.query(QString::fromLatin1(sql)).rows.first().at(0).toString());
    return figures;
}

class CentralTest : public KilledRunTest, public testing::WithParamInterface<Central> {
protected:
    CentralTest() : KilledRunTest(GetParam()) {}
};

TEST_P(CentralTest, ASecondRunOfTheSameDayWritesNothing) {
    const QStringList arguments = program.arguments(kDay);
    ASSERT_EQ(program.run(arguments).exitCode, 0);
    const QStringList first = written(*central);

    const Program::Ended again = program.run(arguments);

    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(written(*central), first);
    EXPECT_TRUE(again.errorOutput.contains(QLatin1String("INFO: El recibo de caja No. ")))
        << again.errorOutput.toStdString();
    expectSentOnceAndPosted();
}

// A posting that fails as a whole (an opening year that is no number fails it after the first ledger)
// leaves each point's invoice written with nothing posted, and its work failed; the next run posts what the
// journal lists, once, then sends the rest of each point.
TEST_P(CentralTest, ARerunPostsWhatAnEarlierRunLeftUnposted) {
    const QString openingYear =
        central
            ->query(QStringLiteral("select conf_valor from configuracion where conf_propiedad = "
                                   "'ANO BALANCE DE APERTURA NIIF'"))
            .rows.first()
            .at(0)
            .toString();
    const QStringList arguments = program.arguments(kDay);
    setOpeningYear(QStringLiteral("dos mil"));
    EXPECT_EQ(program.run(arguments).exitCode, 1);
    EXPECT_EQ(rows("ledger"), 0);
    const std::int64_t invoices = rows("facturas");
    ASSERT_GT(invoices, 0);

    setOpeningYear(openingYear);
    const Program::Ended again = program.run(arguments);

    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.errorOutput.contains(
        QStringLiteral("RESUMEN: enviados 0 facturas, %1 recibos, ").arg(invoices)))
        << again.errorOutput.toStdString();
    EXPECT_TRUE(again.errorOutput.endsWith(
        QStringLiteral("; %1 contabilizaciones pendientes terminadas; sin fallas\n").arg(invoices)))
        << again.errorOutput.toStdString();
    expectSentOnceAndPosted();
}

INSTANTIATE_TEST_SUITE_P(Centrals, CentralTest,
                         testing::Values(Central::Demo, Central::Contract, Central::Upgraded),
                         [](const testing::TestParamInfo<Central>& info) {
                             std::ostringstream name;
                             PrintTo(info.param, &name);
                             return name.str();
                         });

// A central company without the program's tables, whose user may not make them: nothing is sent, and the
// message says what to run where.
TEST(ContractCentralTest, AUserWhoMayNotMakeTheProgramsTablesIsRefused) {
    CompanyPair companies(Central::Contract);
    Installation installation{{companies.server()}};
    Program program(companies, installation);
    const std::unique_ptr<fb::Connection> central = companies.open(CompanyPair::kCentral);
    const ServerUser store(*central);
    store.grantEverythingIn(*central);

    const Program::Ended refused = program.run(program.arguments(kDay, [&](QStringList& arguments) {
        arguments[5] = store.name();
        arguments[6] = store.password();
    }));

    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errorOutput.contains(
        QStringLiteral("La compañía central 00 (%1) no tiene las tablas propias del envío "
                       "(ENVIOS_EN_CURSO, CONTABILIZACIONES_PENDIENTES) y el usuario %2 no puede crearlas. "
                       "Ejecute una vez en esa compañía, como su dueño o SYSDBA, el script "
                       "89-transmission-tables.sql")
            .arg(companies.database(CompanyPair::kCentral), store.name())))
        << refused.errorOutput.toStdString();
    EXPECT_EQ(central->query(QStringLiteral("select count(*) from facturas")).rows.first().at(0).toInt(), 0);
}

struct Overlap {
    const char* name;
    int runs;
    int apartMs;
};

void PrintTo(const std::tuple<Central, Overlap>& param, std::ostream* out) {
    PrintTo(std::get<0>(param), out);
    *out << "_" << std::get<1>(param).name;
}

class OverlappingRunsTest : public KilledRunTest,
                            public testing::WithParamInterface<std::tuple<Central, Overlap>> {
protected:
    OverlappingRunsTest() : KilledRunTest(std::get<0>(GetParam())) {}
};

// A scheduler that starts the same run again while the first still works: the runs take turns on each
// point, and what one wrote the other does not write again. On a central without the program's tables they
// all find them missing at the same moment and go on with the ones made first.
TEST_P(OverlappingRunsTest, WriteEachDocumentOnce) {
    const Overlap& overlap = std::get<1>(GetParam());
    const QList<QStringList> runs(overlap.runs, program.arguments(kDay));

    const QList<Program::Ended> ended = program.runAtOnce(runs, overlap.apartMs);

    int invoices = 0;
    for (const Program::Ended& run : ended) {
        EXPECT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
        static const QRegularExpression sent(QStringLiteral("RESUMEN: enviados (\\d+) facturas"));
        invoices += sent.match(run.errorOutput).captured(1).toInt();
    }
    expectSentOnceAndPosted();
    EXPECT_EQ(invoices, rows("facturas")); // the summary lines together count each invoice once
}

// Test names: the central, then the case.
template <typename Case> std::string caseName(const testing::TestParamInfo<std::tuple<Central, Case>>& info) {
    std::ostringstream name;
    PrintTo(std::get<0>(info.param), &name);
    return name.str() + "_" + std::get<1>(info.param).name;
}

const auto kCentrals = testing::Values(Central::Demo, Central::Contract);

INSTANTIATE_TEST_SUITE_P(SameDay, OverlappingRunsTest,
                         testing::Combine(kCentrals, testing::Values(Overlap{"TwoRuns100msApart", 2, 100},
                                                                     Overlap{"ThreeRunsAtOnce", 3, 0})),
                         caseName<Overlap>);

// Another session holds the invoice prefix of point 1, changes it and commits: the run waits for it and
// writes the invoice after all, when the hold is shorter than the lock timeout; past it, that point fails
// with a message and the exit code, the others are sent, and the next run completes the day.
TEST_F(KilledRunTest, AHeldPrefixRowIsWaitedForABoundedTime) {
    program.setEnvironment(QStringLiteral("QUELMARO_LOCK_TIMEOUT"), QStringLiteral("2"));
    const QStringList arguments = program.arguments(kDay);
    std::unique_ptr<fb::Transaction> holding = holdPrefix(QStringLiteral("31:F001"));
    const Program::Ended past = program.run(arguments);
    holding->commit();

    EXPECT_EQ(past.exitCode, 1);
    EXPECT_TRUE(
        past.errorOutput.contains(QStringLiteral("ERROR: Otra sesión de la base de datos tiene bloqueado")))
        << past.errorOutput.toStdString();
    EXPECT_TRUE(past.errorOutput.contains(QLatin1String("; fallaron: punto 1 2024/03/02")))
        << past.errorOutput.toStdString();
    EXPECT_EQ(count(*central, QStringLiteral("select count(*) from facturas where ptvt_id = 1")), 0);
    EXPECT_GT(rows("facturas"), 0);

    holding = holdPrefix(QStringLiteral("31:F001"));
    QElapsedTimer held;
    held.start();
    const Program::Ended shortHold = program.runUntil(
        arguments, [&] { return held.elapsed() > 1500; }, [&](qint64) { holding->commit(); });
    EXPECT_EQ(shortHold.exitCode, 0) << shortHold.errorOutput.toStdString();
    expectSentOnceAndPosted();
}

// Another run holds the point's work past the lock timeout: the point is left with a message, not written.
TEST_F(KilledRunTest, WorkHeldByAnotherRunIsLeftWithAMessage) {
    program.setEnvironment(QStringLiteral("QUELMARO_LOCK_TIMEOUT"), QStringLiteral("1"));
    const QStringList arguments = program.arguments(kDay);
    central->execute(
        QStringLiteral("insert into envios_en_curso (enec_clase, ptvt_id, enec_fecha) values ('P', 2, ?)"),
        {kDay});
    auto holding = central->startTransaction();
    holding->execute(QStringLiteral("update envios_en_curso set enec_desde = current_timestamp"));

    const Program::Ended held = program.run(arguments);
    holding.reset();

    EXPECT_EQ(held.exitCode, 1);
    EXPECT_TRUE(
        held.errorOutput.contains(QStringLiteral("Otra ejecución está enviando el punto 2 del 2024/03/02")))
        << held.errorOutput.toStdString();
    EXPECT_TRUE(held.errorOutput.contains(QLatin1String("; fallaron: punto 2 2024/03/02")));
    EXPECT_EQ(count(*central, QStringLiteral("select count(*) from facturas where ptvt_id = 2")), 0);
    ASSERT_EQ(program.run(arguments).exitCode, 0);
    expectSentOnceAndPosted();
}

INSTANTIATE_TEST_SUITE_P(
    Kills, KilledRunsTest,
    testing::Combine(
        kCentrals,
        testing::Values(
            Scenario{"AfterTheFirstInvoice", {{"facturas", 1}}},
            Scenario{"AfterTheFirstReceipt", {{"recibos_caja", 1}}},
            Scenario{"AfterTheFirstPosting", {{"ledger", 1}}},
            Scenario{"ThreeTimes", {{"facturas", 2}, {"recibos_caja", 2}, {"ledger", 6}}},
            Scenario{"AtEveryInvoice", {{"facturas", 1}, {"facturas", 2}, {"facturas", 3}, {"facturas", 4}}},
            Scenario{"BetweenAnInvoiceAndItsReceipt", {{"ledger", 2, "61:R001"}}},
            Scenario{"BeforeTheSecondInvoice", {{"recibos_caja", 1, "31:F002"}}},
            Scenario{"BeforeATransfer", {{"recibos_caja", 1, "66:T001"}}},
            Scenario{
                "AtEveryHeldPoint",
                {{"ledger", 2, "61:R001"}, {"recibos_caja", 1, "66:T001"}, {"traslados_caja", 1, "31:F002"}}},
            Scenario{"ConnectionLostAfterTheFirstInvoice", {{"facturas", 1, "31:F002", true}}},
            Scenario{"ConnectionLostBeforeAReceipt", {{"ledger", 2, "61:R001", true}}})),
    caseName<Scenario>);

} // namespace
} // namespace quelmaro::test
