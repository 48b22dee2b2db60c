#include "shell/server_list.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using quelmaro::shell::parseServerList;
using quelmaro::shell::readServerList;

namespace {

struct Case {
    const char* name;
    QByteArray bytes;
    QStringList entries;
};

// The case by its name, in test lists too.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class ServerList : public testing::TestWithParam<Case> {};

TEST_P(ServerList, EntriesAreTheLinesAsWritten) {
    EXPECT_EQ(parseServerList(GetParam().bytes), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ServerList,
    testing::Values(Case{"CrLfAndLfWithPartialLastLineDropped", QByteArray("a\r\nb\nc"), {"a", "b"}},
                    Case{"TwoEmptyLines", QByteArray("\r\n\r\n"), {"", ""}},
                    Case{"CrTakesAnyNextByte", QByteArray("a\rxb\n"), {"a", "b"}},
                    Case{"CrAtTheVeryEnd", QByteArray("a\r"), {"a"}},
                    Case{"NoTrimming", QByteArray("  srv1:/norvane \n"), {"  srv1:/norvane "}},
                    Case{"Empty", QByteArray(), {}},
                    Case{"LongLineTakenWhole", QByteArray(300, 'x') + "\n", {QString(300, 'x')}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(ServerListFile, ReadFromTheApplicationDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("SERVIDORES.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("localhost:/srv/norvane\r\n/srv/norvane\r\n");
    file.close();
    EXPECT_EQ(readServerList(dir.path()), QStringList({"localhost:/srv/norvane", "/srv/norvane"}));
}

TEST(ServerListFile, MissingFileGivesNoEntries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(readServerList(dir.path()).isEmpty());
}

} // namespace
