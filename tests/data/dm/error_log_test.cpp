#include "data/dm/error_log.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using quelmaro::dm::ErrorLog;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QDateTime kWhen(QDate(2020, 1, 24), QTime(9, 5, 7));

TEST(ErrorLog, LineHoldsDateTimeUserAndRawMessage) {
    EXPECT_EQ(ErrorLog::line(kWhen, "caja1", "Database error: lock conflict"),
              "2020/01/24,09:05:07,caja1,Database error: lock conflict\r\n");
    EXPECT_EQ(ErrorLog::line(kWhen, "", "x"), "2020/01/24,09:05:07,,x\r\n");
}

TEST(ErrorLog, MultiLineMessagesStayOneLine) {
    EXPECT_EQ(ErrorLog::line(kWhen, "u", "Database error: I/O error\n-Error while trying\r\n-No such file"),
              "2020/01/24,09:05:07,u,Database error: I/O error -Error while trying -No such file\r\n");
}

TEST(ErrorLog, CreatedWhenMissingThenAppended) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = ErrorLog::pathIn(dir.path());
    ASSERT_FALSE(QFile::exists(path));
    ErrorLog::append(dir.path(), kWhen, "", "primero");
    EXPECT_EQ(contents(path), "2020/01/24,09:05:07,,primero\r\n");
    ErrorLog::append(dir.path(), kWhen.addSecs(1), "ana", "segundo");
    EXPECT_EQ(contents(path), "2020/01/24,09:05:07,,primero\r\n2020/01/24,09:05:08,ana,segundo\r\n");
}

TEST(ErrorLog, UnwritableLogIsSkippedQuietly) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ErrorLog::append(dir.filePath("no/such/folder"), kWhen, "u", "x");
    EXPECT_FALSE(QFile::exists(ErrorLog::pathIn(dir.filePath("no/such/folder"))));
}

} // namespace
