#include "data/types/value.h"

#include <gtest/gtest.h>

using namespace quelmaro;

TEST(Value, ConvertsToIntegers) {
    EXPECT_EQ(Value(5).toInt(), 5);
    EXPECT_EQ(Value(qint64(-7)).toInt(), -7);
    EXPECT_EQ(Value(true).toInt(), 1);
    EXPECT_EQ(Value("-12").toInt(), -12);
    EXPECT_EQ(Value("+12").toInt(), 12);
    EXPECT_EQ(Value("9223372036854775807").toInt(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(Value(Fixed::fromInt(3)).toInt(), 3);
    EXPECT_EQ(Value().toInt(), 0);
    const struct {
        Value value;
        const char* message;
    } failures[] = {
        {Value(Fixed::parse("3.5")), "'3.5' no es un número entero válido"},
        {Value("12.0"), "'12.0' no es un número entero válido"},
        {Value(" 12"), "' 12' no es un número entero válido"},
        {Value(""), "'' no es un número entero válido"},
        {Value("9223372036854775808"), "'9223372036854775808' está fuera del rango de los números"},
        {Value(QDate(2020, 1, 24)), "'2020/01/24' no se puede convertir en un número entero"},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.message);
        try {
            c.value.toInt();
            ADD_FAILURE() << "converted";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.message));
        }
    }
}

TEST(Value, ConvertsToFixed) {
    EXPECT_EQ(Value(7).toFixed(), Fixed::fromInt(7));
    EXPECT_EQ(Value("1.15").toFixed(), Fixed::fromRaw(11500));
    EXPECT_EQ(Value().toFixed(), Fixed());
    EXPECT_THROW(Value(std::numeric_limits<std::int64_t>::max()).toFixed(), ConversionError);
    EXPECT_THROW(Value("1,5").toFixed(), ConversionError);
    EXPECT_THROW(Value(QTime(10, 0)).toFixed(), ConversionError);
}

TEST(Value, ConvertsToTextInTheProgramFormats) {
    const QDate day(2020, 1, 24);
    const QTime time(9, 5, 7);
    const struct {
        Value value;
        const char* text;
    } cases[] = {
        {Value(), ""},
        {Value(-42), "-42"},
        {Value(Fixed::parse("1234.50")), "1234.5"},
        {Value("Envío"), "Envío"},
        {Value(day), "2020/01/24"},
        {Value(time), "09:05:07"},
        {Value(QDateTime(day, time)), "2020/01/24 09:05:07"},
        {Value(QByteArray("ñ")), "ñ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value.toString(), QString::fromUtf8(c.text));
    }
}

TEST(Value, ConvertsBetweenDatesTimesAndText) {
    const QDate day(2020, 1, 24);
    const QDateTime noon(day, QTime(12, 0), Qt::UTC);
    EXPECT_EQ(Value("2020/01/24").toDate(), day);
    EXPECT_EQ(Value(noon).toDate(), day);
    EXPECT_EQ(Value(noon).toTime(), QTime(12, 0));
    EXPECT_EQ(Value("12:00").toTime(), QTime(12, 0));
    EXPECT_EQ(Value(day).toDateTime(), QDateTime(day, QTime(0, 0), Qt::UTC));
    EXPECT_EQ(Value("2020/01/24 12:00:00").toDateTime(), noon);
    EXPECT_FALSE(Value().toDate().isValid());
    EXPECT_FALSE(Value().toDateTime().isValid());
    EXPECT_THROW(Value("2020/02/30").toDate(), ConversionError);
    EXPECT_THROW(Value(20200124).toDate(), ConversionError);
    EXPECT_THROW(Value(day).toTime(), ConversionError);
}

TEST(Value, InvalidDatesAndTimesAreNull) {
    EXPECT_TRUE(Value(QDate()).isNull());
    EXPECT_TRUE(Value(QTime()).isNull());
    EXPECT_TRUE(Value(QDateTime()).isNull());
    EXPECT_FALSE(Value(QString()).isNull()); // an empty text is a value, not null
}

TEST(Value, EqualityComparesKindAndContent) {
    EXPECT_EQ(Value(), Value());
    EXPECT_EQ(Value("a"), Value(QStringLiteral("a")));
    EXPECT_NE(Value(1), Value(Fixed::fromInt(1)));
    EXPECT_NE(Value(0), Value());
    EXPECT_NE(Value(""), Value());
}

TEST(Value, GivesBytes) {
    EXPECT_EQ(Value(QByteArray("\x00\xff", 2)).toBytes(), QByteArray("\x00\xff", 2));
    EXPECT_EQ(Value("ñ").toBytes(), QByteArray("\xc3\xb1"));
    EXPECT_EQ(Value(12).toBytes(), QByteArray("12"));
}
