#include "probe_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quelmaro::platform::test {
namespace {

struct RegistryCase {
    const char* name;
    const char* suiteFile;        // Qor/Norvaneerp2019.ini, or nullptr for none
    const char* organizationFile; // Qor.ini, or nullptr for none
    const char* expected;         // what the probe prints; %1 stands for the suite file's path
};

void PrintTo(const RegistryCase& c, std::ostream* out) {
    *out << c.name;
}

class RegistryValue : public ::testing::TestWithParam<RegistryCase> {};

void writeFile(const QString& path, const char* content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

TEST_P(RegistryValue, IsReadFromTheSystemSettingsFolder) {
    const RegistryCase& c = GetParam();
    const QTemporaryDir settings;
    ASSERT_TRUE(settings.isValid());
    ASSERT_TRUE(QDir(settings.path()).mkdir(QStringLiteral("Qor")));
    const QString suiteFile = settings.filePath(QStringLiteral("Qor/Norvaneerp2019.ini"));
    if (c.suiteFile)
        writeFile(suiteFile, c.suiteFile);
    if (c.organizationFile)
        writeFile(settings.filePath(QStringLiteral("Qor.ini")), c.organizationFile);

    QProcessEnvironment environment = cleanEnvironment();
    // Only the first folder of the list counts.
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), settings.path() + QStringLiteral(":/etc/xdg"));
    const ProbeRun run = runProbe(QStringLiteral("directorio"), environment);

    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString expected = QString::fromUtf8(c.expected).replace(QStringLiteral("%1"), suiteFile);
    EXPECT_EQ(run.out.toStdString(), expected.toStdString() + '\n');
    // Reading never creates the file.
    EXPECT_EQ(QFile::exists(suiteFile), c.suiteFile != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryValue,
    ::testing::Values(
        RegistryCase{"present", "[General]\nDirectorio=/opt/norvane\n", nullptr, "value:/opt/norvane"},
        RegistryCase{"present_outside_any_group", "Directorio=/opt/norvane\n", nullptr, "value:/opt/norvane"},
        RegistryCase{"spaces_and_accents", "[General]\nDirectorio=/srv/Compañía Norte\n", nullptr,
                     "value:/srv/Compañía Norte"},
        RegistryCase{"quoted_commas", "[General]\nDirectorio=\"/srv/Norvane, S.A.\"\n", nullptr,
                     "value:/srv/Norvane, S.A."},
        RegistryCase{"ends_at_first_nul", "[General]\nDirectorio=/opt/norvane\\0/otro\n", nullptr,
                     "value:/opt/norvane"},
        RegistryCase{"empty_value", "[General]\nDirectorio=\n", nullptr, "value:"},
        RegistryCase{"missing_value", "[General]\nServidor=srv1\n", nullptr, "value:"},
        RegistryCase{"value_in_another_group", "[Otro]\nDirectorio=/opt/norvane\n", nullptr, "value:"},
        RegistryCase{"missing_file", nullptr, nullptr, "missing"},
        RegistryCase{"organization_file_is_not_the_key", nullptr, "[General]\nDirectorio=/opt/norvane\n",
                     "missing"},
        RegistryCase{"organization_value_is_not_read", "[General]\nServidor=srv1\n",
                     "[General]\nDirectorio=/opt/norvane\n", "value:"},
        RegistryCase{"unquoted_commas_are_a_list", "[General]\nDirectorio=/srv/Norvane, S.A.\n", nullptr,
                     "error:El valor \"Directorio\" de %1 no es un texto."},
        RegistryCase{"malformed_file", "[General\nDirectorio=/opt/norvane\n", nullptr,
                     "error:El archivo %1 no tiene un formato válido."}),
    [](const ::testing::TestParamInfo<RegistryCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace quelmaro::platform::test
