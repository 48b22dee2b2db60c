// Reading rows: packets, fields, statements and parameters, calculated fields, aggregates, filter, locate.
#include "data/recordset/error.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "tests/support/embedded_database.h"

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

constexpr int kRows = 2500;

// NUMEROS holds rows 1..2500: TEXTO "T<n>", IMPORTE n.25 except every tenth row (null), NOTA null.
class NumberedRows : public testing::Test {
protected:
    NumberedRows() {
        connection().execute(
            QStringLiteral("create table numeros (n integer not null constraint pk_numeros primary key,"
                           " texto varchar(10) not null, importe numeric(15,2), nota varchar(5))"));
        connection().execute(QStringLiteral("execute block as declare n integer = 1; begin"
                                            " while (n <= %1) do begin"
                                            " insert into numeros values (:n, 'T' || :n,"
                                            " iif(mod(:n, 10) = 0, null, :n + 0.25), null);"
                                            " n = n + 1; end end")
                                 .arg(kRows));
        query.setStatement(QStringLiteral("SELECT * FROM NUMEROS ORDER BY N"));
        provider.setAcceptsStatement(true);
        numbers.setProvider(&provider);
    }

    fb::Connection& connection() { return db.connection(); }
    Value scalar(const QString& sql) { return connection().query(sql).rows.at(0).at(0); }
    void moveTo(int index) {
        numbers.first();
        while (numbers.currentIndex() < index)
            numbers.next();
    }

    test::EmbeddedDatabase db;
    Query query{QStringLiteral("TNumeros"), db.connection()};
    Provider provider{QStringLiteral("PNumeros"), query};
    RecordSet numbers{QStringLiteral("CNumeros")};
};

TEST_F(NumberedRows, FetchesOnePacketAtATimeAsTheCursorMovesOn) {
    numbers.setPacketRecords(1000);
    numbers.open();
    EXPECT_EQ(numbers.fetchedRowCount(), 1000);
    moveTo(999);
    EXPECT_EQ(numbers.fetchedRowCount(), 1000);
    numbers.next();
    EXPECT_EQ(numbers.currentIndex(), 1000);
    EXPECT_EQ(numbers.value("N").toInt(), 1001);
    EXPECT_EQ(numbers.fetchedRowCount(), 2000);
    numbers.last();
    EXPECT_EQ(numbers.fetchedRowCount(), kRows);
    EXPECT_EQ(numbers.value("N").toInt(), kRows);
    EXPECT_TRUE(numbers.eof());
}

TEST_F(NumberedRows, WithoutPacketsEverythingIsFetchedAtOpen) {
    numbers.open();
    EXPECT_EQ(numbers.fetchedRowCount(), kRows);
}

TEST_F(NumberedRows, ReadingAnAggregateOrTheCountFetchesTheRest) {
    numbers.setPacketRecords(1000);
    numbers.addAggregate(QStringLiteral("SumImporte"), QStringLiteral("sum(importe)"));
    numbers.open();
    EXPECT_EQ(numbers.aggregate("SumImporte"),
              Value(scalar(QStringLiteral("select sum(importe) from numeros")).toFixed()));
    EXPECT_EQ(numbers.fetchedRowCount(), kRows);
    EXPECT_EQ(numbers.currentIndex(), 0);
    EXPECT_EQ(numbers.recordCount(), kRows);
}

TEST_F(NumberedRows, FieldsFollowTheColumnsOfTheStatement) {
    numbers.open();
    ASSERT_EQ(numbers.fieldCount(), 4);
    const QStringList names{"N", "TEXTO", "IMPORTE", "NOTA"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(numbers.field(i).name(), names[i]);
    EXPECT_TRUE(numbers.field("texto").isRequired());
    EXPECT_FALSE(numbers.field("Nota").isRequired());
    EXPECT_EQ(numbers.field("TEXTO").size(), 10);
    EXPECT_EQ(numbers.field("importe").scale(), 2);
    EXPECT_TRUE(numbers.field("N").isKey());
    EXPECT_FALSE(numbers.field("TEXTO").isKey());
    EXPECT_EQ(numbers.field("texto").asString(), "T1");
    try {
        numbers.field("NUMERO");
        FAIL() << "an unknown field was found";
    } catch (const RecordSetError& error) {
        EXPECT_EQ(error.message(), "No existe el campo 'NUMERO'");
    }
}

TEST_F(NumberedRows, DeclaredFieldsAreTheOnlyOnesInTheirOwnOrder) {
    numbers.declareField({QStringLiteral("TEXTO"), fb::ColumnType::Text, 10, 0, true});
    numbers.declareField({QStringLiteral("N"), fb::ColumnType::Integer, 0, 0, true});
    numbers.open();
    ASSERT_EQ(numbers.fieldCount(), 2);
    EXPECT_EQ(numbers.field(0).name(), "TEXTO");
    EXPECT_EQ(numbers.field(0).asString(), "T1");
    EXPECT_EQ(numbers.field(1).asInt(), 1);
}

TEST_F(NumberedRows, ADeclaredColumnMissingFromTheResultFailsTheOpen) {
    numbers.declareField({QStringLiteral("PRECIO"), fb::ColumnType::Fixed, 0, 2, false});
    EXPECT_THROW(numbers.open(), RecordSetError);
    EXPECT_FALSE(numbers.isOpen());
}

TEST_F(NumberedRows, TheRecordSetsStatementReplacesTheQuerys) {
    numbers.setCommandText(QStringLiteral("select n, texto from numeros where n > 2497 order by n desc"));
    numbers.open();
    EXPECT_EQ(numbers.recordCount(), 3);
    EXPECT_EQ(numbers.value("N").toInt(), 2500);

    provider.setAcceptsStatement(false);
    RecordSet other(QStringLiteral("COtro"));
    other.setProvider(&provider);
    other.setCommandText(QStringLiteral("select n from numeros"));
    EXPECT_THROW(other.open(), RecordSetError);
}

TEST_F(NumberedRows, NamedParametersAreBoundNeverPasted) {
    query.setStatement(QStringLiteral("SELECT * FROM NUMEROS WHERE TEXTO = :TEXTO OR N = :N"));
    query.setParameterDefault(QStringLiteral("N"), QStringLiteral("7"));
    numbers.fetchParameters();
    EXPECT_EQ(numbers.parameter("n"), Value("7"));
    numbers.setParameter(QStringLiteral("texto"), QStringLiteral("T5' --"));
    numbers.open();
    ASSERT_EQ(numbers.recordCount(), 1);
    EXPECT_EQ(numbers.value("N").toInt(), 7);
}

TEST_F(NumberedRows, CalculatedFieldsAreComputedOncePerRowAsItIsFetched) {
    numbers.setPacketRecords(1000);
    numbers.declareCalculatedField({QStringLiteral("Doble"), fb::ColumnType::Integer});
    numbers.declareCalculatedField({QStringLiteral("Orden"), fb::ColumnType::Integer});
    int calls = 0;
    numbers.setCalculateHandler([&](RecordSet& set) {
        set.setValue("Doble", set.value("N").toInt() * 2);
        set.setValue("Orden", ++calls);
    });
    numbers.open();
    EXPECT_EQ(calls, 1000);
    moveTo(1000);
    EXPECT_EQ(calls, 2000);
    EXPECT_EQ(numbers.value("doble").toInt(), 2002);
    EXPECT_EQ(numbers.value("orden").toInt(), 1001);
    numbers.first();
    EXPECT_EQ(calls, 2000) << "stored with the row, not computed again";
    EXPECT_EQ(numbers.field(4).name(), "Doble") << "calculated fields come after the columns";
}

TEST_F(NumberedRows, RecalculatingRunsOncePerRowInFetchOrderWithAllRowsFetched) {
    numbers.setPacketRecords(1000);
    numbers.declareCalculatedField({QStringLiteral("Parte"), fb::ColumnType::Fixed});
    numbers.addAggregate(QStringLiteral("Total"), QStringLiteral("SUM(IMPORTE)"));
    numbers.open();
    const Value total = scalar(QStringLiteral("select sum(importe) from numeros")).toFixed();
    std::vector<std::int64_t> order;
    numbers.setCalculateHandler([&](RecordSet& set) {
        order.push_back(set.value("N").toInt());
        EXPECT_EQ(set.aggregate("Total"), total);
        set.setValue("Parte", set.value("IMPORTE").toFixed() / set.aggregate("Total").toFixed());
    });
    numbers.recalculate();
    ASSERT_EQ(order.size(), std::size_t(kRows));
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(order.front(), 1);
    numbers.first();
    EXPECT_FALSE(numbers.value("Parte").isNull());
}

TEST_F(NumberedRows, AggregatesAreNullWithoutValuesAndFollowEdits) {
    numbers.addAggregate(QStringLiteral("SumNota"), QStringLiteral("sum(nota)"));
    numbers.addAggregate(QStringLiteral("SumImporte"), QStringLiteral("sum(importe)"));
    numbers.setCommandText(QStringLiteral("select * from numeros where n <= 3 order by n"));
    numbers.open();
    EXPECT_TRUE(numbers.aggregate("SumNota").isNull());
    EXPECT_EQ(numbers.aggregate("SumImporte").toFixed(), Fixed::parse("6.75"));

    numbers.edit();
    numbers.setValue("IMPORTE", 10);
    numbers.post();
    EXPECT_EQ(numbers.aggregate("SumImporte").toFixed(), Fixed::parse("15.50"));
    numbers.append();
    numbers.setValue("N", 9000);
    numbers.setValue("TEXTO", "X");
    numbers.setValue("IMPORTE", "0.50");
    numbers.post();
    EXPECT_EQ(numbers.aggregate("SumImporte").toFixed(), Fixed::parse("16"));
    numbers.first();
    numbers.remove();
    EXPECT_EQ(numbers.aggregate("SumImporte").toFixed(), Fixed::parse("6"));

    RecordSet empty(QStringLiteral("CVacio"));
    empty.setProvider(&provider);
    empty.addAggregate(QStringLiteral("SumImporte"), QStringLiteral("sum(importe)"));
    empty.setCommandText(QStringLiteral("select * from numeros where n < 0"));
    empty.open();
    EXPECT_TRUE(empty.aggregate("SumImporte").isNull());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty.bof());
    EXPECT_TRUE(empty.eof());
}

TEST_F(NumberedRows, TheFilterShowsTheRowsWhereTheColumnEqualsTheNumber) {
    numbers.setPacketRecords(1000);
    numbers.open();
    numbers.setFilter(QStringLiteral("n = 1500"));
    numbers.setFiltered(true);
    EXPECT_EQ(numbers.value("N").toInt(), 1500);
    EXPECT_EQ(numbers.recordCount(), 1);
    numbers.setFilter(QStringLiteral("IMPORTE=-1"));
    EXPECT_TRUE(numbers.isEmpty());
    numbers.setFiltered(false);
    EXPECT_EQ(numbers.recordCount(), kRows);
}

class UnreadableFilter : public NumberedRows, public testing::WithParamInterface<const char*> {};

TEST_P(UnreadableFilter, IsRefused) {
    numbers.open();
    EXPECT_THROW(numbers.setFilter(QString::fromUtf8(GetParam())), RecordSetError);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableFilter,
                         testing::Values("n > 5", "texto = 'T1'", "n = 1.5", "n = 5 and n = 6", "= 5",
                                         "sinfila = 1"));

TEST_F(NumberedRows, LocateIsExactAndCaseSensitiveAndKeepsTheCursorWhenNothingMatches) {
    numbers.setPacketRecords(1000);
    numbers.open();
    moveTo(10);
    EXPECT_FALSE(numbers.locate("TEXTO", "t20"));
    EXPECT_EQ(numbers.currentIndex(), 10);
    EXPECT_FALSE(numbers.locate("TEXTO", "T20 "));
    EXPECT_FALSE(numbers.locate("N", "no es un número"));
    EXPECT_EQ(numbers.currentIndex(), 10);
    EXPECT_TRUE(numbers.locate("texto", "T20"));
    EXPECT_EQ(numbers.value("N").toInt(), 20);
    EXPECT_TRUE(numbers.locate("N", "2400"));
    EXPECT_EQ(numbers.currentIndex(), 2399);
    EXPECT_TRUE(numbers.locate("NOTA", Value()));
    EXPECT_EQ(numbers.currentIndex(), 0);
}

TEST_F(NumberedRows, AssignedValuesTakeTheFieldsKindWidthAndScale) {
    numbers.open();
    numbers.edit();
    numbers.setValue("TEXTO", "ABCDEFGHIJKLMNO");
    EXPECT_EQ(numbers.value("TEXTO"), Value("ABCDEFGHIJ"));
    numbers.setValue("IMPORTE", "12.345");
    EXPECT_EQ(numbers.value("IMPORTE"), Value(Fixed::parse("12.34")));
    numbers.setValue("N", "42");
    EXPECT_EQ(numbers.value("N"), Value(42));
    numbers.setValue("IMPORTE", "");
    EXPECT_TRUE(numbers.value("IMPORTE").isNull());
    EXPECT_THROW(numbers.setValue("N", "cuarenta"), ConversionError);
    numbers.cancel();
    EXPECT_EQ(numbers.value("TEXTO"), Value("T1"));
    EXPECT_THROW(numbers.setValue("TEXTO", "X"), RecordSetError) << "not editing";
}

TEST_F(NumberedRows, MovingPastEitherEndSetsTheFlagAndStays) {
    numbers.setCommandText(QStringLiteral("select * from numeros where n <= 2 order by n"));
    numbers.open();
    EXPECT_TRUE(numbers.bof());
    EXPECT_FALSE(numbers.eof());
    numbers.next();
    numbers.next();
    EXPECT_TRUE(numbers.eof());
    EXPECT_EQ(numbers.value("N").toInt(), 2);
    numbers.prior();
    numbers.prior();
    EXPECT_TRUE(numbers.bof());
    EXPECT_EQ(numbers.value("N").toInt(), 1);
}

} // namespace
