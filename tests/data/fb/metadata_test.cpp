#include "data/fb/metadata.h"
#include "data/fb/statement.h"
#include "tests/support/embedded_database.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

using namespace quelmaro;
using fb::ColumnType;

namespace {

class Metadata : public testing::Test {
protected:
    void SetUp() override {
        for (const char* ddl : {
                 "create table formatos (tido_cod integer not null, pref_pre varchar(5) not null,"
                 " nombre varchar(30) character set win1252, constraint pk_formatos primary key (pref_pre, "
                 "tido_cod))",
                 "create table facturas (fact_id bigint not null constraint pk_facturas primary key,"
                 " numok char(1) default 'N', total numeric(15,2), tasa decimal(9,4) not null, cantidad "
                 "smallint,"
                 " precio double precision, fecha date, hora time, creada timestamp,"
                 " notas blob sub_type text, firma blob sub_type binary, anulada boolean)",
                 "create table errores (texto varchar(200))",
                 "create table \"Mixta\" (\"Clave\" integer not null primary key)",
                 "create procedure cambie_id_factura returns (id integer) as begin id = 1; end",
             })
            db.connection().execute(QString::fromUtf8(ddl));
    }

    QList<fb::Column> columnsOf(const QString& sql) {
        auto transaction = db.connection().startTransaction();
        return fb::Statement(*transaction, sql).columns();
    }

    test::EmbeddedDatabase db;
};

TEST_F(Metadata, DescribesEveryColumnKind) {
    const struct {
        const char* name;
        ColumnType type;
        int size;
        int scale;
        bool nullable;
    } expected[] = {
        {"FACT_ID", ColumnType::Integer, 0, 0, false}, {"NUMOK", ColumnType::Text, 1, 0, true},
        {"TOTAL", ColumnType::Fixed, 0, 2, true},      {"TASA", ColumnType::Fixed, 0, 4, false},
        {"CANTIDAD", ColumnType::Integer, 0, 0, true}, {"PRECIO", ColumnType::Double, 0, 0, true},
        {"FECHA", ColumnType::Date, 0, 0, true},       {"HORA", ColumnType::Time, 0, 0, true},
        {"CREADA", ColumnType::Timestamp, 0, 0, true}, {"NOTAS", ColumnType::TextBlob, 0, 0, true},
        {"FIRMA", ColumnType::Blob, 0, 0, true},       {"ANULADA", ColumnType::Boolean, 0, 0, true},
    };
    const QList<fb::Column> columns = columnsOf("select * from facturas");
    ASSERT_EQ(columns.size(), std::size(expected));
    for (qsizetype i = 0; i < columns.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(columns[i].name, expected[i].name);
        EXPECT_EQ(columns[i].field, expected[i].name);
        EXPECT_EQ(columns[i].relation, "FACTURAS");
        EXPECT_EQ(columns[i].type, expected[i].type);
        EXPECT_EQ(columns[i].size, expected[i].size);
        EXPECT_EQ(columns[i].scale, expected[i].scale);
        EXPECT_EQ(columns[i].nullable, expected[i].nullable);
    }
}

TEST_F(Metadata, NamesAliasesFieldsAndTextSizesInCharacters) {
    const QList<fb::Column> columns =
        columnsOf("select f.pref_pre as prefijo, f.nombre, e.texto, f.tido_cod * 2 as doble"
                  " from formatos f cross join errores e");
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[0].name, "PREFIJO");
    EXPECT_EQ(columns[0].field, "PREF_PRE");
    EXPECT_EQ(columns[0].relation, "FORMATOS");
    EXPECT_EQ(columns[0].size, 5);
    EXPECT_EQ(columns[1].size, 30); // a single-byte character set arrives as UTF8 all the same
    EXPECT_EQ(columns[2].size, 200);
    EXPECT_EQ(columns[2].relation, "ERRORES");
    EXPECT_EQ(columns[3].name, "DOBLE");
    EXPECT_EQ(columns[3].relation, "");
    EXPECT_EQ(columns[3].type, ColumnType::Integer);
}

TEST_F(Metadata, ReadsPrimaryKeyColumnsInKeyOrder) {
    const struct {
        const char* table;
        QStringList key;
    } cases[] = {
        {"formatos", {"PREF_PRE", "TIDO_COD"}},
        {"FACTURAS", {"FACT_ID"}},
        {"errores", {}},
        {"\"Mixta\"", {"Clave"}},
        {"mixta", {}},
        {"no_existe", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        EXPECT_EQ(fb::primaryKeyColumns(db.connection(), QString::fromUtf8(c.table)), c.key);
    }
}

} // namespace
