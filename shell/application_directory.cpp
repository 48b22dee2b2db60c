#include "shell/application_directory.h"

#include "platform/messages.h"
#include "platform/registry.h"

namespace quelmaro::shell {

QString applicationDirectory() {
    if (const std::optional<QString> directory = platform::readApplicationDirectory())
        return *directory;
    platform::messages().information(QStringLiteral(
        "No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Qor\\Norvaneerp2019\\Directorio"));
    return {};
}

} // namespace quelmaro::shell
