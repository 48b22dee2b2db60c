#include "data/types/datetime.h"

#include "data/types/errors.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace quelmaro;

TEST(DateTime, FormatsWithFixedPatternsWhateverTheLocale) {
    // A locale with its own digits and date order must not leak into the program's formats.
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    EXPECT_EQ(datetime::formatDate(QDate(2020, 1, 24)), "2020/01/24");
    EXPECT_EQ(datetime::formatDate(QDate(5, 3, 7)), "0005/03/07");
    EXPECT_EQ(datetime::formatTime(QTime(9, 5, 7)), "09:05:07");
    EXPECT_EQ(datetime::formatShortTime(QTime(9, 5, 7)), "09:05");
    EXPECT_EQ(datetime::formatDateTime(QDateTime(QDate(2020, 12, 31), QTime(23, 59, 58, 999))),
              "2020/12/31 23:59:58");
    EXPECT_EQ(datetime::formatDate(QDate()), "");
    EXPECT_EQ(datetime::formatTime(QTime()), "");
    EXPECT_EQ(datetime::formatDateTime(QDateTime()), "");
    QLocale::setDefault(QLocale::c());
}

TEST(DateTime, ParsesDatesStrictly) {
    EXPECT_EQ(datetime::parseDate("2020/01/24"), QDate(2020, 1, 24));
    EXPECT_EQ(datetime::parseDate("2020/1/5"), QDate(2020, 1, 5));
    EXPECT_EQ(datetime::parseDate("2024/02/29"), QDate(2024, 2, 29));
    for (const char* text :
         {"2020/02/30", "2021/02/29", "2020/1/5x", "20/01/24", "2020-01-24", "", " 2020/01/24", "2020/01/24 ",
          "2020/13/01", "2020/00/10", "2020/01/00", "2020/001/10", "24/01/2020"}) {
        SCOPED_TRACE(text);
        try {
            datetime::parseDate(text);
            ADD_FAILURE() << "accepted";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("'%1' no es una fecha válida").arg(text));
        }
    }
}

TEST(DateTime, ParsesTimesStrictly) {
    EXPECT_EQ(datetime::parseTime("09:05:07"), QTime(9, 5, 7));
    EXPECT_EQ(datetime::parseTime("9:05"), QTime(9, 5));
    EXPECT_EQ(datetime::parseTime("23:59:59"), QTime(23, 59, 59));
    for (const char* text :
         {"24:00", "12:60", "12:5", "12:05:5", "12:05:07.5", "12:05:60", "ab", "", "12", "1205"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(datetime::parseTime(text), ConversionError);
    }
}

TEST(DateTime, ParsesTimestamps) {
    EXPECT_EQ(datetime::parseDateTime("2020/01/24 13:45:10"),
              QDateTime(QDate(2020, 1, 24), QTime(13, 45, 10), Qt::UTC));
    EXPECT_EQ(datetime::parseDateTime("2020/01/24 13:45"),
              QDateTime(QDate(2020, 1, 24), QTime(13, 45), Qt::UTC));
    EXPECT_EQ(datetime::parseDateTime("2020/01/24"), QDateTime(QDate(2020, 1, 24), QTime(0, 0), Qt::UTC));
    for (const char* text :
         {"2020/01/24  13:45", "2020/01/24T13:45", "2020/01/24 ", "2020/02/30 10:00", "10:00"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(datetime::parseDateTime(text), ConversionError);
    }
}
