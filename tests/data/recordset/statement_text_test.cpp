// The texts a record set reads: named parameters in statements and sum expressions.
#include "data/recordset/aggregate.h"
#include "data/recordset/error.h"
#include "data/recordset/named_parameters.h"

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

struct Conversion {
    const char* named;
    const char* positional;
    QStringList names;
};

void PrintTo(const Conversion& c, std::ostream* out) {
    *out << QString::fromUtf8(c.named).simplified().toStdString();
}

class NamedParameters : public testing::TestWithParam<Conversion> {};

TEST_P(NamedParameters, BecomePositionalOutsideQuotesAndComments) {
    const PositionalStatement statement = toPositional(QString::fromUtf8(GetParam().named));
    EXPECT_EQ(statement.sql, QString::fromUtf8(GetParam().positional));
    EXPECT_EQ(statement.parameterNames, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Statements, NamedParameters,
    testing::Values(Conversion{"SELECT * FROM FACTURAS WHERE FACT_ID = :ID",
                               "SELECT * FROM FACTURAS WHERE FACT_ID = ?",
                               {"ID"}},
                    Conversion{"select * from t where a = :fact_id and b = :Fact_Id",
                               "select * from t where a = ? and b = ?",
                               {"FACT_ID", "FACT_ID"}},
                    Conversion{"select ':ID', \"A:B\" from t -- :X\nwhere c = :C /* :D */",
                               "select ':ID', \"A:B\" from t -- :X\nwhere c = ? /* :D */",
                               {"C"}},
                    Conversion{"select 'it''s :no' from t where h = '10:30' and x=:X1$",
                               "select 'it''s :no' from t where h = '10:30' and x=?",
                               {"X1$"}},
                    Conversion{"select 1 from t where a = : b and c = :1",
                               "select 1 from t where a = : b and c = :1",
                               {}},
                    Conversion{"select 'unterminated :A", "select 'unterminated :A", {}}));

TEST(SumExpressions, NameTheSummedField) {
    EXPECT_EQ(SumAggregate("SumNetoD", "sum(vtanetadia)").fieldName(), "vtanetadia");
    EXPECT_EQ(SumAggregate("SumIva", " SUM ( FADE_IVAMONTO ) ").fieldName(), "FADE_IVAMONTO");
    for (const char* text : {"avg(x)", "sum(x) + 1", "sum()", "x", "sum(a, b)"})
        EXPECT_THROW(SumAggregate("S", QString::fromUtf8(text)), RecordSetError) << text;
}

} // namespace
