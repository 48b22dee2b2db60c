#include "platform/clock.h"

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

TEST(Clock, FixedClockStopsTimeAndRestoresTheOuterClock) {
    const QDateTime before = QDateTime::currentDateTime();
    EXPECT_GE(now(), before);

    const QDateTime closing(QDate(2020, 1, 24), QTime(23, 59, 59));
    const QDateTime nextDay(QDate(2020, 1, 25), QTime(0, 0, 1));
    {
        FixedClock fixed(closing);
        EXPECT_EQ(now(), closing);
        EXPECT_EQ(today(), QDate(2020, 1, 24));
        {
            FixedClock later(nextDay);
            EXPECT_EQ(today(), QDate(2020, 1, 25));
        }
        EXPECT_EQ(now(), closing);
    }
    EXPECT_GE(now(), before);
    EXPECT_EQ(today(), QDate::currentDate());
}

} // namespace
} // namespace quelmaro::platform::test
