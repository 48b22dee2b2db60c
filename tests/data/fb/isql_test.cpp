#include "tests/support/embedded_database.h"
#include "tests/support/isql.h"
#include "tests/support/printers.h"

#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace quelmaro;

namespace {

QString writeScript(const test::TempDir& dir, const char* text) {
    const QString path = dir.filePath("script.sql");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

} // namespace

TEST(IsqlScript, RunsAgainstADatabaseTheTestCreated) {
    test::EmbeddedDatabase db;
    db.connection().close(); // the embedded engine lets one process at a time hold the file
    test::TempDir dir;
    const QString script = writeScript(dir, "create table sucursales (sucu_id integer, nombre varchar(20));\n"
                                            "set term ^;\n"
                                            "create procedure uno returns (n integer) as begin n = 1; end^\n"
                                            "set term ;^\n"
                                            "insert into sucursales values (1, 'Envío');\n"
                                            "commit;\n");
    test::runIsqlScript(db.path(), script);
    EXPECT_EQ(db.connection().query("select nombre from sucursales").rows.at(0).at(0), Value("Envío"));
    EXPECT_EQ(db.connection().execute("execute procedure uno"), fb::Row{1});
}

TEST(IsqlScript, StopsAtTheFirstErrorAndSaysWhy) {
    test::EmbeddedDatabase db;
    db.connection().close();
    test::TempDir dir;
    const QString script = writeScript(dir, "create table a (id integer);\n"
                                            "create table a (id integer);\n"
                                            "create table b (id integer);\n");
    try {
        test::runIsqlScript(db.path(), script);
        ADD_FAILURE() << "the script ran to its end";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains("Table A already exists")) << error.what();
    }
    EXPECT_EQ(
        db.connection().query("select count(*) from rdb$relations where rdb$relation_name = 'B'").rows[0][0],
        Value(0));
}
