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
