// The unattended transmission killed at several points, cut off from the server, run twice at once or held up
// by another session, and started again: every document arrives once and is posted once to each ledger.
#include "data/fb/connection.h"
#include "data/fb/transaction.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>

#include <functional>

namespace quelmaro::test {
namespace {

const QDate kDay{2024, 3, 2};

// A moment of the run seen from the destination: kill once this many rows of `table` exist. With a held
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

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

class KilledRunTest : public ProgramTest {
protected:
    std::int64_t count(fb::Connection& company, const QString& sql, const QList<Value>& params = {}) {
        return company.query(sql, params).rows.first().at(0).toInt();
    }
    std::int64_t rows(const char* table) {
        return count(*central, QStringLiteral("select count(*) from %1").arg(QLatin1String(table)));
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
    // to the NIIF one (the day is past the opening year), and every posting is handed over.
    void expectSentOnceAndPosted();

    std::unique_ptr<fb::Connection> origin = companies.open(CompanyPair::kOrigin);
    std::unique_ptr<fb::Connection> central = companies.open(CompanyPair::kCentral);
};

class KilledRunsTest : public KilledRunTest, public testing::WithParamInterface<Scenario> {};

TEST_P(KilledRunsTest, EveryDocumentArrivesAndIsPostedExactlyOnce) {
    const QStringList arguments = program.arguments(kDay);
    for (const KillPoint& kill : GetParam().kills) {
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

    const fb::QueryResult postings = central->query(QStringLiteral(R"(
        select d.tipo, d.id,
               (select count(*) from contable l where l.cnt_libro = 'L' and l.tido_cod = d.tipo
                   and l.cnt_iddoc = d.id),
               (select count(*) from contable n join contable l on n.cnt_origen = l.cnt_id
                 where n.cnt_libro = 'N' and l.tido_cod = d.tipo and l.cnt_iddoc = d.id)
          from (select 31 tipo, fact_id id from facturas union all select 61, reca_id from recibos_caja
                union all select 66, trcj_id from traslados_caja) d)"));
    for (const fb::Row& document : postings.rows) {
        SCOPED_TRACE("document " + document.at(0).toString().toStdString() + ":" +
                     document.at(1).toString().toStdString());
        EXPECT_EQ(document.at(2).toInt(), 1);
        EXPECT_EQ(document.at(3).toInt(), 1);
    }
    EXPECT_EQ(rows("contable"), 2 * postings.rows.size()); // no posting of a document that is not there
    EXPECT_EQ(count(*central, QStringLiteral("select count(*) from contable where cnt_pendiente <> 'N'")), 0);
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

TEST_F(KilledRunTest, ASecondRunOfTheSameDayWritesNothing) {
    const QStringList arguments = program.arguments(kDay);
    ASSERT_EQ(program.run(arguments).exitCode, 0);
    const QStringList first = written(*central);

    const Program::Ended again = program.run(arguments);

    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(written(*central), first);
    EXPECT_TRUE(again.errorOutput.contains(QLatin1String("INFO: El recibo de caja No. ")))
        << again.errorOutput.toStdString();
}

// What an earlier run left unposted (killed between a document and its posting, or between the two ledgers,
// or before the hand-over) is posted by the next run, once.
TEST_F(KilledRunTest, ARerunFinishesThePostingsAnEarlierRunLeftUndone) {
    const QStringList arguments = program.arguments(kDay);
    ASSERT_EQ(program.run(arguments).exitCode, 0);
    central->execute(
        QStringLiteral("delete from contable where tido_cod = 31 and cnt_iddoc = (select min(fact_id) "
                       "from facturas) and cnt_libro = 'N'"));
    central->execute(
        QStringLiteral("update contable set cnt_pendiente = 'S' where tido_cod = 61 and cnt_iddoc = "
                       "(select min(reca_id) from recibos_caja)"));
    central->execute(
        QStringLiteral("delete from contable where tido_cod = 66 and cnt_iddoc = (select min(trcj_id) "
                       "from traslados_caja) and cnt_libro = 'N'"));
    central->execute(
        QStringLiteral("delete from contable where tido_cod = 66 and cnt_iddoc = (select min(trcj_id) "
                       "from traslados_caja)"));

    const Program::Ended again = program.run(arguments);

    EXPECT_EQ(again.exitCode, 0);
    // Copied transfers and disbursements are written over their earlier copies again, which sends nothing.
    EXPECT_TRUE(again.errorOutput.endsWith(
        QLatin1String("RESUMEN: enviados 0 facturas, 0 recibos, 0 traslados, 0 egresos, 0 clientes; 3 "
                      "contabilizaciones pendientes terminadas; sin fallas\n")))
        << again.errorOutput.toStdString();
    expectSentOnceAndPosted();
}

struct Overlap {
    const char* name;
    int runs;
    int apartMs;
};

void PrintTo(const Overlap& overlap, std::ostream* out) {
    *out << overlap.name;
}

class OverlappingRunsTest : public KilledRunTest, public testing::WithParamInterface<Overlap> {};

// A scheduler that starts the same run again while the first still works: the runs take turns on each
// point, and what one wrote the other does not write again.
TEST_P(OverlappingRunsTest, WriteEachDocumentOnce) {
    const QList<QStringList> runs(GetParam().runs, program.arguments(kDay));

    const QList<Program::Ended> ended = program.runAtOnce(runs, GetParam().apartMs);

    int invoices = 0;
    for (const Program::Ended& run : ended) {
        EXPECT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
        static const QRegularExpression sent(QStringLiteral("RESUMEN: enviados (\\d+) facturas"));
        invoices += sent.match(run.errorOutput).captured(1).toInt();
    }
    expectSentOnceAndPosted();
    EXPECT_EQ(invoices, rows("facturas")); // the summary lines together count each invoice once
}

INSTANTIATE_TEST_SUITE_P(SameDay, OverlappingRunsTest,
                         testing::Values(Overlap{"TwoRuns100msApart", 2, 100},
                                         Overlap{"ThreeRunsAtOnce", 3, 0}),
                         [](const testing::TestParamInfo<Overlap>& info) { return info.param.name; });

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
    testing::Values(
        Scenario{"AfterTheFirstInvoice", {{"facturas", 1}}},
        Scenario{"AfterTheFirstReceipt", {{"recibos_caja", 1}}},
        Scenario{"AfterTheFirstPosting", {{"contable", 1}}},
        Scenario{"ThreeTimes", {{"facturas", 2}, {"recibos_caja", 2}, {"contable", 6}}},
        Scenario{"AtEveryInvoice", {{"facturas", 1}, {"facturas", 2}, {"facturas", 3}, {"facturas", 4}}},
        Scenario{"BetweenAnInvoiceAndItsReceipt", {{"contable", 2, "61:R001"}}},
        Scenario{"BeforeTheSecondInvoice", {{"recibos_caja", 1, "31:F002"}}},
        Scenario{"BeforeATransfer", {{"recibos_caja", 1, "66:T001"}}},
        Scenario{
            "AtEveryHeldPoint",
            {{"contable", 2, "61:R001"}, {"recibos_caja", 1, "66:T001"}, {"traslados_caja", 1, "31:F002"}}},
        Scenario{"ConnectionLostAfterTheFirstInvoice", {{"facturas", 1, "31:F002", true}}},
        Scenario{"ConnectionLostBeforeAReceipt", {{"contable", 2, "61:R001", true}}}),
    [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
