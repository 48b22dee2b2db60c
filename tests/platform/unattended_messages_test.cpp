#include "probe_run.h"

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

struct UnattendedCase {
    const char* name;
    const char* mode;
    const char* noDialogs; // value of QUELMARO_NO_DIALOGS, or nullptr to leave it unset
};

void PrintTo(const UnattendedCase& c, std::ostream* out) {
    *out << c.name;
}

class UnattendedMessages : public ::testing::TestWithParam<UnattendedCase> {};

// Qt may add its own warnings on standard error; the messages are the lines carrying a message prefix.
QStringList messageLines(const QString& err) {
    QStringList lines;
    for (const QString& line : err.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("INFO: ")) || line.startsWith(QLatin1String("ERROR: ")))
            lines.append(line);
    return lines;
}

TEST_P(UnattendedMessages, WriteOneLinePerMessageAndCancelEveryDialog) {
    const UnattendedCase& c = GetParam();
    QProcessEnvironment environment = cleanEnvironment();
    if (c.noDialogs)
        environment.insert(QStringLiteral("QUELMARO_NO_DIALOGS"), QString::fromLatin1(c.noDialogs));
    const ProbeRun run = runProbe(QString::fromLatin1(c.mode), environment);

    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(messageLines(run.err), QStringList({"INFO: Proceso terminado.",
                                                  "ERROR: Línea uno Línea dos Línea tres fin", "INFO: "}))
        << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "save:cancelled\nopen:cancelled\nsetup:cancelled\nprint:cancelled\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedMessages,
    ::testing::Values(UnattendedCase{"chosen_by_the_environment", "messages", "1"},
                      // A program that never opened a window has nothing to show a box on.
                      UnattendedCase{"without_a_window_system", "messages-no-window", nullptr}),
    [](const ::testing::TestParamInfo<UnattendedCase>& info) { return std::string(info.param.name); });

// A scheduler's mail gets none of the toolkit's notes (no runtime folder, a window hint the screen plugin
// ignores, a warning), only its real problems.
TEST(UnattendedRun, StandardErrorCarriesNoQtNotesButItsRealProblems) {
    QProcessEnvironment environment = cleanEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const ProbeRun run = runProbe(QStringLiteral("qt-diagnostics"), environment);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.toStdString(), "un problema real\n");
}

} // namespace
} // namespace quelmaro::platform::test
