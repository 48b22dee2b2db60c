#include "tests/shell/shell_environment.h"

#include <QComboBox>

#include <gtest/gtest.h>

using namespace quelmaro;
using namespace quelmaro::test;

namespace {

struct RegistryCase {
    const char* name;
    QByteArray entry; // null: no entry at all
    QList<platform::RecordedMessage> shown;
    bool directoryKept; // the failed read leaves the data module's directory as it was
};

void PrintTo(const RegistryCase& c, std::ostream* out) {
    *out << c.name;
}

class Registry : public testing::TestWithParam<RegistryCase> {};

// Without a usable application directory the program still starts, with an empty server list.
TEST_P(Registry, WithoutTheApplicationDirectory) {
    ShellEnvironment environment;
    if (GetParam().entry.isNull())
        environment.removeRegistryEntry();
    else
        environment.writeRegistryEntry(GetParam().entry);
    const auto window = environment.showMainWindow();
    QList<platform::RecordedMessage> shown = environment.messages.recorded();
    for (platform::RecordedMessage& message : shown)
        message.text.replace(environment.registryFile(), "%1");
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_EQ(environment.dataModule.directorio,
              GetParam().directoryKept ? environment.applicationDirectory.path() : QString());
    EXPECT_TRUE(window->servidores.isEmpty());
    EXPECT_EQ(window->Servidor->count(), 0);
}

const platform::RecordedMessage kBeep{platform::MessageKind::Beep, {}};

INSTANTIATE_TEST_SUITE_P(
    Entries, Registry,
    testing::Values(RegistryCase{"MissingKey",
                                 QByteArray(),
                                 {{platform::MessageKind::Information,
                                   "No se encontró la Clave "
                                   "HKEY_LOCAL_MACHINE\\Software\\Qor\\Norvaneerp2019\\Directorio (en este "
                                   "sistema, el valor Directorio del archivo %1)"}},
                                 false},
                    RegistryCase{"EmptyValue", "[General]\nDirectorio=\n", {}, false},
                    RegistryCase{"MissingValue", "[General]\nOtro=1\n", {}, false},
                    RegistryCase{
                        "ValueNotAText",
                        "[General]\nDirectorio=a, b\n",
                        {kBeep,
                         {platform::MessageKind::Error,
                          "Se presento el siguiente error: El valor \"Directorio\" de %1 no es un texto."}},
                        true}),
    [](const testing::TestParamInfo<RegistryCase>& info) { return info.param.name; });

} // namespace
