#include "bench/relay/latency_relay.h"
#include "data/fb/client.h"
#include "data/fb/error.h"
#include "data/fb/silence_watch.h"
#include "data/fb/transaction.h"
#include "tests/support/connections.h"
#include "tests/support/embedded_database.h"
#include "tests/support/printers.h"
#include "tests/support/server_database.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

using namespace quelmaro;

namespace {

// The message of the DatabaseError that `action` throws, or "" when it throws nothing.
template <typename Action> QString databaseErrorOf(Action action) {
    try {
        action();
    } catch (const fb::DatabaseError& error) {
        return error.message();
    }
    return {};
}

QString openError(const QString& database, const QString& user, const QString& password) {
    fb::Connection connection;
    connection.setParameter(QStringLiteral("Database"), database);
    connection.setParameter(QStringLiteral("User_Name"), user);
    connection.setParameter(QStringLiteral("Password"), password);
    return databaseErrorOf([&] { connection.open(); });
}

QString missingFileError(const QString& path) {
    return QStringLiteral("Database error: I/O error during \"open\" operation for file \"%1\"\n"
                          "-Error while trying to open file\n"
                          "-No such file or directory")
        .arg(path);
}

} // namespace

TEST(Connection, HoldsParametersByNameWithoutRegardToCase) {
    fb::Connection connection;
    EXPECT_EQ(connection.parameter("sqldialect"), "3");
    EXPECT_EQ(connection.parameter("WAITONLOCKS"), "True");
    EXPECT_EQ(connection.parameter("interbase transisolation"), "ReadCommited");
    EXPECT_EQ(connection.parameter("CommitRetain"), "False");
    EXPECT_EQ(connection.parameter("BlobSize"), "-1");
    EXPECT_EQ(connection.parameter("ServerCharSet"), "");

    connection.setParameter("User_Name", "sysdba");
    connection.setParameter("password", "plovarden");
    connection.setParameter("PASSWORD", "secreto");
    EXPECT_EQ(connection.parameter("user_name"), "sysdba");
    EXPECT_EQ(connection.parameter("Password"), "secreto");
    EXPECT_EQ(connection.parameters().value("password"), "secreto"); // named as first written
    EXPECT_FALSE(connection.parameters().contains("PASSWORD"));
    EXPECT_FALSE(connection.isOpen());
}

TEST(Connection, ReportsAMissingFileInTheClientsWords) {
    test::TempDir dir;
    const QString path = dir.filePath("datos/01/norvane.fdb");
    EXPECT_EQ(openError(path, "sysdba", "plovarden"), missingFileError(path));

    const auto account = test::ServerAccount::fromEnvironment();
    const QString onServer = account.directory + "/no-such-company.fdb";
    EXPECT_EQ(openError("localhost:" + onServer, account.user, account.password), missingFileError(onServer));
}

// Whether every exchange with the database is a round trip to a server.
TEST(Connection, KnowsADatabaseOnAServerFromAFileOfItsOwn) {
    fb::Connection connection;
    for (const auto& [database, remote] : {std::pair{"localhost:/datos/01/norvane.fdb", true},
                                           {"srv1/3051:/datos/01/norvane.fdb", true},
                                           {"/datos/01/norvane.fdb", false},
                                           {"/datos/a:b/norvane.fdb", false},
                                           {"C:\\datos\\01\\norvane.fdb", false}}) {
        connection.setParameter("Database", database);
        EXPECT_EQ(connection.isRemote(), remote) << database;
    }
}

TEST(Connection, ReportsAWrongPasswordOnTheServer) {
    test::ServerDatabase db;
    db.connection().close();
    EXPECT_EQ(
        openError(db.database(), db.account().user, "not-the-password"),
        "Database error: Your user name and password are not defined. Ask your database administrator to set "
        "up a Firebird login.");
}

// A login the server cannot take is refused before anything is sent: Firebird 3's server would go down on it.
TEST(Connection, NeverSendsALoginLongerThanTheServerTakes) {
    test::ServerDatabase db;
    EXPECT_EQ(openError(db.database(), QString(32, QLatin1Char('u')), "x"),
              "Database error: Login name too long (32 characters, maximum allowed 31)");
    EXPECT_EQ(db.connection().query("select 1 from rdb$database").rows.size(), 1); // the server still runs
}

TEST(Connection, ReportsAnUnknownHost) {
    const QString message = openError("srv1.invalid:/datos/01/norvane.fdb", "sysdba", "plovarden");
    EXPECT_EQ(message.section('\n', 0, 0),
              "Database error: Unable to complete network request to host \"srv1.invalid\".");
}

TEST(Connection, OpensOnceAndClosesCleanly) {
    test::EmbeddedDatabase db;
    fb::Connection& connection = db.connection();
    connection.open(); // already open: nothing happens
    EXPECT_TRUE(connection.isOpen());
    connection.close();
    EXPECT_FALSE(connection.isOpen());
    connection.close();
    // A statement opens the connection with the parameters it holds.
    EXPECT_EQ(connection.query("select 1 from rdb$database").rows.size(), 1);
    EXPECT_TRUE(connection.isOpen());
}

TEST(Connection, CreatesAUnicodeDialectThreeDatabaseAtAnAccentedPath) {
    test::EmbeddedDatabase db("Compañía Envío.fdb");
    const fb::QueryResult facts = db.connection().query(
        "select mon$sql_dialect, trim(rdb$character_set_name), mon$page_size, trim(mon$database_name)"
        " from mon$database cross join rdb$database");
    ASSERT_EQ(facts.rows.size(), 1);
    EXPECT_EQ(facts.rows[0], (fb::Row{3, "UTF8", 8192, db.path()}));
}

TEST(Connection, SendsARoleOnlyWhenOneIsNamed) {
    test::EmbeddedDatabase db;
    db.connection().execute("create role cajero");
    db.connection().execute("grant cajero to caja1");
    const struct {
        const char* roleName;
        const char* currentRole;
    } cases[] = {{"", "NONE"}, {"RoleName", "NONE"}, {"rolename", "NONE"}, {"cajero", "CAJERO"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.roleName);
        auto connection = test::connectionLike(db.connection());
        connection->setParameter("User_Name", "caja1");
        connection->setParameter("RoleName", c.roleName);
        EXPECT_EQ(connection->query("select trim(current_role) from rdb$database").rows.at(0).at(0),
                  Value(c.currentRole));
    }
}

TEST(Connection, ReadOnlyConnectionsCannotWrite) {
    test::EmbeddedDatabase db;
    db.connection().execute("create table cajas (id integer)");
    auto reader = test::connectionLike(db.connection());
    reader->setReadOnly(true);
    EXPECT_EQ(reader->query("select count(*) from cajas").rows.at(0).at(0), Value(0));
    EXPECT_EQ(databaseErrorOf([&] { reader->execute("insert into cajas values (1)"); }),
              "Database error: attempted update during read-only transaction");
}

TEST(Connection, ReadsInAReadOnlyTransactionOfAWritingConnection) {
    test::EmbeddedDatabase db;
    fb::Connection& connection = db.connection();
    connection.execute("create table cajas (id integer)");
    connection.execute("insert into cajas values (7)");
    EXPECT_EQ(connection.read("select id from cajas").rows.at(0).at(0), Value(7));
    EXPECT_EQ(databaseErrorOf([&] { connection.read("update cajas set id = 8 returning id"); }),
              "Database error: attempted update during read-only transaction");
    connection.execute("insert into cajas values (9)"); // the connection itself still writes
    EXPECT_EQ(connection.read("select count(*) from cajas").rows.at(0).at(0), Value(2));
}

TEST(Connection, WithoutWaitOnLocksAConflictFailsAtOnce) {
    test::EmbeddedDatabase db;
    db.connection().execute("create table cajas (id integer, saldo integer)");
    db.connection().execute("insert into cajas values (1, 0)");
    auto holder = db.connection().startTransaction();
    holder->execute("update cajas set saldo = 1 where id = 1");

    auto other = test::connectionLike(db.connection());
    other->setParameter("WaitOnLocks", "False");
    const QString message =
        databaseErrorOf([&] { other->execute("update cajas set saldo = 2 where id = 1"); });
    EXPECT_TRUE(message.startsWith("Database error: deadlock\n-update conflicts with concurrent update\n"))
        << message.toStdString();
}

// The server shuts an attachment down: the next call says the connection is lost, and from then on nothing
// more goes to the server on it, however the work is left (a shut-down attachment may never answer).
TEST(Connection, SendsNothingMoreOnAnAttachmentTheServerShutDown) {
    test::ServerDatabase db;
    db.connection().execute("create table cajas (id integer)");
    bench::LatencyRelay relay(std::chrono::milliseconds(0));
    const auto program = test::connectionLike(db.connection());
    program->setParameter("Database", QStringLiteral("localhost/%1:%2").arg(relay.port()).arg(db.path()));
    auto work = program->startTransaction();
    work->execute("insert into cajas values (1)");
    db.connection().execute("delete from mon$attachments where mon$attachment_id <> current_connection");

    ASSERT_TRUE(
        fb::isConnectionLost(databaseErrorOf([&] { work->execute("insert into cajas values (2)"); })));
    QThread::msleep(200); // what was on its way before is counted before the count starts
    relay.resetCounts();
    EXPECT_TRUE(fb::isConnectionLost(databaseErrorOf([&] { program->query("select 1 from rdb$database"); })));
    work.reset();
    program->close();
    EXPECT_EQ(relay.counts().toServer, 0u);
    EXPECT_EQ(db.connection().query("select count(*) from cajas").rows.at(0).at(0), Value(0));
}

// The link goes quiet in the middle of a call (a frozen relay passes nothing on): past the silence limit the
// call fails as a lost connection that says how long it waited, nothing more goes to the server, and the
// server, once the link is gone, lets go of what the attachment held.
TEST(Connection, ACallWithoutAnswerEndsAfterTheSilenceLimit) {
    test::ServerDatabase db;
    db.connection().execute("create table cajas (id integer)");
    db.connection().execute("insert into cajas values (1)");
    auto relay = std::make_unique<bench::LatencyRelay>(std::chrono::milliseconds(0));
    const auto program = test::connectionLike(db.connection());
    program->setParameter("Database", QStringLiteral("localhost/%1:%2").arg(relay->port()).arg(db.path()));
    fb::setSilenceLimit(std::chrono::seconds(1));
    auto work = program->startTransaction();
    work->execute("update cajas set id = 2");

    relay->setFrozen(true);
    QElapsedTimer waited;
    waited.start();
    const QString message = databaseErrorOf([&] { work->execute("update cajas set id = 3"); });
    fb::setSilenceLimit(std::chrono::seconds(300));

    EXPECT_EQ(message, "Database error: connection lost to database: no answer from the server in 1 s");
    EXPECT_LT(waited.elapsed(), 10'000);
    EXPECT_TRUE(fb::isConnectionLost(databaseErrorOf([&] { program->query("select 1 from rdb$database"); })));
    work.reset();
    program->close();
    relay.reset(); // the link is gone for the server too: it rolls the held update back
    auto other = test::connectionLike(db.connection());
    other->setParameter("LockTimeout", "20");
    other->execute("update cajas set id = 4");
    EXPECT_EQ(db.connection().query("select id from cajas").rows.at(0).at(0), Value(4));
}

// The link to a server is encrypted (Srp, as Firebird 3 does by default) and compressed, as asked.
TEST(Connection, TheLinkToAServerIsEncryptedAndCompressed) {
    test::ServerDatabase db;
    const fb::Row wire = db.connection()
                             .query("select rdb$get_context('SYSTEM', 'WIRE_ENCRYPTED'), "
                                    "rdb$get_context('SYSTEM', 'WIRE_COMPRESSED') from rdb$database")
                             .rows.at(0);
    EXPECT_EQ(wire, (fb::Row{QStringLiteral("TRUE"), QStringLiteral("TRUE")}));
}

// The rule behind it: once a call reports the connection lost, the attachment's link says so, ending an
// interface on it calls nothing, and a new call fails at once.
TEST(Connection, NothingIsEndedOnALostLink) {
    fb::Link link;
    fb::Status status(&link);
    const ISC_STATUS lost[] = {isc_arg_gds, isc_att_shutdown, isc_arg_end};
    status.setErrors(lost);
    EXPECT_THROW(fb::Status::checkException(&status), fb::DatabaseError);
    ASSERT_TRUE(link.lost);

    fb::Owned<Firebird::IStatus> open(fb::master()->getStatus());
    bool ended = false;
    fb::endWith(open, link, [&](Firebird::IStatus*, fb::Status*) { ended = true; });
    EXPECT_FALSE(ended);
    EXPECT_FALSE(open);
    EXPECT_TRUE(fb::isConnectionLost(databaseErrorOf([&] { fb::throwIfLost(link); })));
}
