#include "data/fb/error.h"
#include "data/fb/statement.h"
#include "tests/support/connections.h"
#include "tests/support/printers.h"
#include "tests/support/test_database.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quelmaro;
using quelmaro::test::Engine;

namespace {

class Statements : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        for (const char* ddl : {
                 "create table sucursales (sucu_id integer not null constraint pk_sucursales primary key,"
                 " nombre varchar(40) constraint nn_sucursales_nombre not null)",
                 "create table punto_venta (ptvt_id integer not null constraint pk_punto_venta primary key,"
                 " sucu_id integer constraint fk_punto_venta_sucursal references sucursales (sucu_id),"
                 " nombre varchar(5), orden smallint)",
                 "create generator gen_facturas",
                 "create procedure cambie_id_factura returns (id integer) as"
                 " begin id = gen_id(gen_facturas, 1); end",
                 "create procedure puntos_de (sucursal integer) returns (ptvt_id integer, nombre varchar(5)) "
                 "as"
                 " begin for select ptvt_id, nombre from punto_venta where sucu_id = :sucursal order by "
                 "ptvt_id"
                 " into :ptvt_id, :nombre do suspend; end",
             })
            connection().execute(QString::fromUtf8(ddl));
        connection().execute("insert into sucursales values (1, 'Centro')");
    }

    fb::Connection& connection() { return db.connection(); }

    Value count(const QString& table) {
        return connection().query("select count(*) from " + table).rows[0][0];
    }

    // Transactions of this attachment, the one that asks included.
    Value openTransactions() {
        return connection()
            .query("select count(*) from mon$transactions where mon$attachment_id = current_connection")
            .rows[0][0];
    }

    // Inserts points of sale 1..n of branch 1 in one transaction through one prepared statement.
    void insertPoints(int n) {
        auto transaction = connection().startTransaction();
        fb::Statement insert(*transaction,
                             "insert into punto_venta (ptvt_id, sucu_id, nombre) values (?, 1, ?)");
        for (int id = 1; id <= n; ++id)
            insert.execute({id, QStringLiteral("P%1").arg(id)});
        transaction->commit();
    }

    test::TestDatabase db{GetParam()};
};

template <typename Error, typename Action> QString errorOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

TEST_P(Statements, SelectableProcedureGivesItsRows) {
    insertPoints(3);
    const fb::QueryResult result = connection().query("select * from puntos_de(?)", {1});
    ASSERT_EQ(result.columns.size(), 2);
    EXPECT_EQ(result.columns[1].name, "NOMBRE");
    EXPECT_EQ(result.rows, (QList<fb::Row>{{1, "P1"}, {2, "P2"}, {3, "P3"}}));
    EXPECT_TRUE(connection().query("select * from puntos_de(?)", {2}).rows.isEmpty());
}

TEST_P(Statements, ExecuteProcedureGivesItsOutputParameters) {
    EXPECT_EQ(connection().execute("execute procedure cambie_id_factura"), fb::Row{1});
    EXPECT_EQ(connection().execute("execute procedure cambie_id_factura"), fb::Row{2});
    const fb::QueryResult asQuery = connection().query("execute procedure cambie_id_factura");
    EXPECT_EQ(asQuery.columns.at(0).name, "ID");
    EXPECT_EQ(asQuery.rows, QList<fb::Row>{fb::Row{3}});
    EXPECT_EQ(connection().execute("update sucursales set nombre = nombre"), fb::Row());
    EXPECT_EQ(connection().execute("insert into sucursales values (5, 'Sur') returning sucu_id, nombre"),
              (fb::Row{5, "Sur"}));
    // A select run as a statement gives its first row, or none.
    EXPECT_EQ(connection().execute("select nombre from sucursales order by sucu_id"), fb::Row{"Centro"});
    EXPECT_EQ(connection().execute("select nombre from sucursales where sucu_id = 99"), fb::Row());
    auto transaction = connection().startTransaction();
    EXPECT_THROW(fb::Statement(*transaction, "delete from sucursales").open(), std::logic_error);
}

TEST_P(Statements, CursorReadsInPiecesWhileTheConnectionGoesOnWorking) {
    insertPoints(2500);
    const QString select = "select ptvt_id, nombre from punto_venta where ptvt_id > ? order by ptvt_id";
    std::unique_ptr<fb::Cursor> cursor = connection().openCursor(select, {500});
    EXPECT_EQ(cursor->columns().at(0).name, "PTVT_ID");
    fb::Row row;
    for (int expected = 501; expected <= 1500; ++expected) {
        ASSERT_TRUE(cursor->fetch(row));
        ASSERT_EQ(row, (fb::Row{expected, QStringLiteral("P%1").arg(expected)}));
    }
    // The same text again while the cursor is open, and a write, each committed at once: the other
    // attachment sees it, and a statement that fails leaves nothing behind and stops nothing.
    EXPECT_EQ(connection().query(select, {2499}).rows.size(), 1);
    connection().execute("insert into sucursales values (2, 'Norte')");
    EXPECT_THROW(connection().execute("insert into sucursales values (2, 'Sur')"), fb::DatabaseError);
    EXPECT_EQ(
        test::connectionLike(connection())->query("select nombre from sucursales where sucu_id = 2").rows,
        (QList<fb::Row>{{QStringLiteral("Norte")}}));
    EXPECT_EQ(openTransactions(), Value(1)); // statements and cursors share one
    int rest = 0;
    while (cursor->fetch(row))
        ++rest;
    EXPECT_EQ(rest, 1000);
    EXPECT_FALSE(cursor->fetch(row)); // stays at the end
}

// Statements are kept prepared, and a change of metadata must not find them in its way.
TEST_P(Statements, TablesThatStatementsReadCanBeDroppedAndMadeAnew) {
    connection().execute("create table cajas (id integer)");
    connection().execute("insert into cajas values (1)");
    EXPECT_EQ(connection().read("select * from cajas").columns.size(), 1);
    EXPECT_EQ(connection().query("select * from cajas").rows.size(), 1);
    connection().execute("drop table cajas");
    connection().execute("create table cajas (id integer, saldo integer)");
    EXPECT_EQ(connection().query("select * from cajas").columns.size(), 2);
}

TEST_P(Statements, TransactionRollsBackUnlessCommitted) {
    {
        auto forgotten = connection().startTransaction();
        forgotten->execute("insert into sucursales values (2, 'Norte')");
        EXPECT_EQ(forgotten->query("select count(*) from sucursales").rows[0][0], Value(2));
    }
    EXPECT_EQ(count("sucursales"), Value(1));

    auto kept = connection().startTransaction();
    kept->execute("insert into sucursales values (2, 'Norte')");
    kept->commit();
    EXPECT_FALSE(kept->isActive());
    EXPECT_EQ(count("sucursales"), Value(2));
    EXPECT_THROW(kept->execute("delete from sucursales"), std::logic_error);

    auto undone = connection().startTransaction();
    undone->execute("delete from sucursales where sucu_id = 2");
    undone->rollback();
    EXPECT_EQ(count("sucursales"), Value(2));
}

TEST_P(Statements, ClosingTheConnectionEndsWhatIsStillOpenOnIt) {
    insertPoints(3);
    auto cursor = connection().openCursor("select ptvt_id from punto_venta order by ptvt_id");
    fb::Row row;
    ASSERT_TRUE(cursor->fetch(row));
    auto pending = connection().startTransaction();
    pending->execute("insert into sucursales values (2, 'Norte')");
    fb::Statement later(*pending, "insert into sucursales values (3, 'Sur')");

    connection().close();
    EXPECT_FALSE(pending->isActive());
    EXPECT_THROW(cursor->fetch(row), std::logic_error);
    EXPECT_THROW(later.execute(), std::logic_error);
    cursor.reset();
    EXPECT_EQ(count("sucursales"), Value(1)); // reopens; the pending insert was rolled back
}

TEST_P(Statements, PreparedStatementRunsManyTimesAndCountsChangedRows) {
    insertPoints(4);
    auto transaction = connection().startTransaction();
    fb::Statement rename(*transaction, "update punto_venta set nombre = ? where ptvt_id <= ?");
    EXPECT_EQ(rename.parameters().size(), 2);
    EXPECT_FALSE(rename.returnsRows());
    rename.execute({"X", 3});
    EXPECT_EQ(rename.affectedRows(), 3);
    rename.execute({"Y", 0});
    EXPECT_EQ(rename.affectedRows(), 0);
    transaction->commit();
    EXPECT_EQ(connection().query("select count(*) from punto_venta where nombre = 'X'").rows[0][0], Value(3));
}

TEST_P(Statements, ConstraintViolationsCarryTheServersWholeText) {
    insertPoints(1);
    const struct {
        const char* statement;
        const char* message;
    } cases[] = {
        {"insert into sucursales values (1, 'Otra')", "Database error: violation of PRIMARY or UNIQUE KEY "
                                                      "constraint \"PK_SUCURSALES\" on table \"SUCURSALES\"\n"
                                                      "-Problematic key value is (\"SUCU_ID\" = 1)"},
        {"insert into punto_venta (ptvt_id, sucu_id) values (7, 9)",
         "Database error: violation of FOREIGN KEY constraint \"FK_PUNTO_VENTA_SUCURSAL\" on table "
         "\"PUNTO_VENTA\"\n"
         "-Foreign key reference target does not exist\n"
         "-Problematic key value is (\"SUCU_ID\" = 9)"},
        {"delete from sucursales", "Database error: violation of FOREIGN KEY constraint "
                                   "\"FK_PUNTO_VENTA_SUCURSAL\" on table \"PUNTO_VENTA\"\n"
                                   "-Foreign key references are present for the record\n"
                                   "-Problematic key value is (\"SUCU_ID\" = 1)"},
        {"insert into sucursales (sucu_id) values (3)",
         "Database error: validation error for column \"SUCURSALES\".\"NOMBRE\", value \"*** null ***\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        EXPECT_EQ(errorOf<fb::DatabaseError>([&] { connection().execute(QString::fromUtf8(c.statement)); }),
                  QString::fromUtf8(c.message));
    }
    EXPECT_EQ(count("sucursales"), Value(1));
    EXPECT_EQ(count("punto_venta"), Value(1));
}

TEST_P(Statements, ParametersThatDoNotFitAreRefusedAndNothingIsWritten) {
    const QString insert = "insert into punto_venta (ptvt_id, nombre, orden) values (?, ?, ?)";
    EXPECT_EQ(errorOf<std::invalid_argument>([&] {
                  connection().execute(insert, {1, "a"});
              }),
              "La sentencia espera 3 parámetros y recibió 2");
    EXPECT_EQ(errorOf<ConversionError>([&] {
                  connection().execute(insert, {"1x", "a", 1});
              }),
              "'1x' no es un número entero válido");
    EXPECT_EQ(errorOf<ConversionError>([&] {
                  connection().execute(insert, {Fixed::parse("1.5"), "a", 1});
              }),
              "'1.5' no es un número entero válido");
    EXPECT_EQ(errorOf<fb::DatabaseError>([&] {
                  connection().execute(insert, {1, "Envíos", 1});
              }),
              "Database error: arithmetic exception, numeric overflow, or string truncation\n"
              "-string right truncation\n"
              "-expected length 5, actual 6");
    EXPECT_EQ(errorOf<fb::DatabaseError>([&] {
                  connection().execute(insert, {1, "a", 40000});
              }),
              "Database error: Dynamic SQL Error\n"
              "-SQL error code = -303\n"
              "-arithmetic exception, numeric overflow, or string truncation\n"
              "-numeric value is out of range");
    EXPECT_EQ(count("punto_venta"), Value(0));
    // Text to a number or a key parses strictly and then fits.
    connection().execute(insert, {"12", "ñandú", "-3"});
    EXPECT_EQ(connection().query("select ptvt_id, nombre, orden from punto_venta").rows,
              QList<fb::Row>{(fb::Row{12, "ñandú", -3})});
}

INSTANTIATE_TEST_SUITE_P(Engines, Statements, testing::Values(Engine::Embedded, Engine::Server),
                         test::engineName);

} // namespace
