#include "shell/connection_fault.h"

namespace quelmaro::shell {

OriginField fieldAtFault(const QString& error, const QString& server) {
    if (error.contains(QLatin1String("Your user name and password are not defined")))
        return OriginField::TClave;
    const bool unreachable = error.contains(QLatin1String("Unable to complete network request")) ||
                             error.contains(QLatin1String("Failed to establish a connection")) ||
                             error.contains(QLatin1String("Connection failed"));
    if (unreachable || server.trimmed().isEmpty())
        return OriginField::Servidor;
    return OriginField::Cia;
}

} // namespace quelmaro::shell
