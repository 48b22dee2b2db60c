#include "data/fb/statement.h"
#include "tests/support/printers.h"
#include "tests/support/test_database.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quelmaro;
using quelmaro::test::Engine;

namespace {

Fixed number(const char* text) {
    return Fixed::parse(QString::fromUtf8(text));
}

QString accentedText(qsizetype characters) {
    QString text;
    const QString pattern = QStringLiteral("Envío ñandú ÁÉÍÓÚ € ");
    while (text.size() < characters)
        text += pattern;
    text.truncate(characters);
    return text;
}

QByteArray everyByte(qsizetype size) {
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = char(i * 7 % 256);
    return data;
}

class ValueRoundTrip : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        db.connection().execute(
            QStringLiteral("create table allkinds ("
                           " id integer not null constraint pk_allkinds primary key,"
                           " small_value smallint, int_value integer, big_value bigint,"
                           " money numeric(15,2), rate numeric(18,4), quantity decimal(9,3),"
                           " short_decimal numeric(4,1), price double precision, ratio float,"
                           " sale_day date, sale_time time, created_at timestamp,"
                           " flag char(1), code char(5), name varchar(40),"
                           " notes blob sub_type text, data blob sub_type binary,"
                           " active boolean, legacy varchar(20) character set win1252,"
                           " legacy_code char(4) character set win1252,"
                           " legacy_notes blob sub_type text character set win1252,"
                           " raw_text varchar(20) character set none, guid char(4) character set octets,"
                           " token varchar(8) character set octets)"));
        db.connection().execute(QStringLiteral("insert into allkinds (id) values (1)"));
    }

    // Writes `value` into `column` through a parameter and reads the column back.
    Value roundTrip(const QString& column, const Value& value) {
        db.connection().execute(QStringLiteral("update allkinds set %1 = ? where id = 1").arg(column),
                                {value});
        const fb::QueryResult result =
            db.connection().query(QStringLiteral("select %1 from allkinds where id = 1").arg(column));
        return result.rows.at(0).at(0);
    }

    test::TestDatabase db{GetParam()};
};

TEST_P(ValueRoundTrip, EveryTypeComesBackExactly) {
    const QDate day(2020, 1, 24);
    const QTime time(13, 45, 10, 123);
    const QDateTime stamp(day, time, Qt::UTC);
    constexpr auto kLargest = std::numeric_limits<std::int64_t>::max();
    constexpr auto kSmallest = std::numeric_limits<std::int64_t>::min();
    const struct {
        const char* column;
        Value written;
        Value read;
    } cases[] = {
        {"small_value", 32767, 32767},
        {"small_value", -32768, -32768},
        {"int_value", 2147483647, 2147483647},
        {"int_value", "-2147483648", -2147483648LL},
        {"big_value", kLargest, kLargest},
        {"big_value", kSmallest, kSmallest},
        {"money", number("1.15"), number("1.15")},
        {"money", "1.15", number("1.15")},
        {"money", number("1.155"), number("1.16")},
        {"money", number("1.145"), number("1.14")},
        {"money", number("-1.165"), number("-1.16")},
        {"money", 7, number("7")},
        {"money", number("9999999999999.99"), number("9999999999999.99")},
        {"money", number("-9999999999999.99"), number("-9999999999999.99")},
        {"rate", number("922337203685477.5807"), number("922337203685477.5807")},
        {"rate", number("-922337203685477.5808"), number("-922337203685477.5808")},
        {"rate", number("0.0001"), number("0.0001")},
        {"quantity", number("123456.789"), number("123456.789")},
        {"quantity", number("-0.0005"), number("0")},
        {"quantity", number("-0.0015"), number("-0.002")},
        {"short_decimal", number("999.9"), number("999.9")},
        {"short_decimal", number("-999.9"), number("-999.9")},
        {"price", number("1.15"), number("1.15")},
        {"price", number("-123456.7891"), number("-123456.7891")},
        {"ratio", number("0.5"), number("0.5")},
        {"sale_day", day, day},
        {"sale_day", "2020/01/24", day},
        {"sale_day", stamp, day},
        {"sale_day", QDate(1, 1, 1), QDate(1, 1, 1)},
        {"sale_day", QDate(9999, 12, 31), QDate(9999, 12, 31)},
        {"sale_time", time, time},
        {"sale_time", "23:59:59", QTime(23, 59, 59)},
        {"created_at", stamp, stamp},
        {"created_at", "2020/01/24 13:45", QDateTime(day, QTime(13, 45), Qt::UTC)},
        {"created_at", day, QDateTime(day, QTime(0, 0), Qt::UTC)},
        {"flag", "N", "N"},
        {"code", "ab", "ab   "},
        {"code", "ñá", "ñá   "},
        {"code", "ñáéíó", "ñáéíó"},
        {"name", "Envío ñandú", "Envío ñandú"},
        {"name", "", ""},
        {"name", number("12.5"), "12.5"},
        {"name", day, "2020/01/24"},
        {"notes", accentedText(70000), accentedText(70000)},
        {"notes", "", ""},
        {"data", everyByte(200000), everyByte(200000)},
        {"active", true, 1},
        {"active", 0, 0},
        // Databases in other character sets still give and take Unicode text.
        {"legacy", "Envío ñ €", "Envío ñ €"},
        {"legacy_code", "ñ", "ñ   "},
        {"legacy_notes", accentedText(70000), accentedText(70000)},
        {"raw_text", "Envío", "Envío"},
        // Binary text stays bytes, its padding included.
        {"guid", QByteArray("\x01\x20", 2), QByteArray("\x01\x20\x00\x00", 4)},
        {"token", QByteArray("\xff\x00\x20", 3), QByteArray("\xff\x00\x20", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 <- %2").arg(c.column, c.written.toString().left(40)).toStdString());
        EXPECT_EQ(roundTrip(QString::fromLatin1(c.column), c.written), c.read);
    }
}

TEST_P(ValueRoundTrip, NullGoesBothWays) {
    for (const char* column :
         {"small_value",   "int_value",   "big_value",    "money",    "rate",      "quantity",
          "short_decimal", "price",       "ratio",        "sale_day", "sale_time", "created_at",
          "flag",          "code",        "name",         "notes",    "data",      "active",
          "legacy",        "legacy_code", "legacy_notes", "raw_text", "guid",      "token"}) {
        SCOPED_TRACE(column);
        EXPECT_TRUE(roundTrip(QString::fromLatin1(column), Value()).isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, ValueRoundTrip, testing::Values(Engine::Embedded, Engine::Server),
                         test::engineName);

} // namespace
