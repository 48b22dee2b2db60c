#include "shell/application_directory.h"

#include "platform/messages.h"
#include "platform/registry.h"

namespace quelmaro::shell {

QString applicationDirectory() {
    if (const std::optional<QString> directory = platform::readApplicationDirectory())
        return *directory;
    QString message = QStringLiteral(
        "No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Qor\\Norvaneerp2019\\Directorio");
    // Where there is no registry, the operator looks for the file that stands for it.
    const QString file = platform::applicationDirectoryFile();
    if (!file.isEmpty())
        message += QStringLiteral(" (en este sistema, el valor Directorio del archivo %1)").arg(file);
    platform::messages().information(message);
    return {};
}

} // namespace quelmaro::shell
