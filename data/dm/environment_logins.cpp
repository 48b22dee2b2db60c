#include "data/dm/environment_logins.h"

#include "data/fb/connection.h"

namespace quelmaro::dm {

namespace {

QString orFromEnvironment(const QString& argument, const char* variable) {
    return argument.isEmpty() ? qEnvironmentVariable(variable) : argument;
}

} // namespace

QString originPassword(const QString& argument) {
    return orFromEnvironment(argument, "QUELMARO_ORIGIN_PASSWORD");
}

QStringList withPasswordsFromEnvironment(QStringList arguments) {
    if (arguments.size() >= 3)
        arguments[2] = originPassword(arguments[2]);
    if (arguments.size() >= 7)
        arguments[6] = orFromEnvironment(arguments[6], "QUELMARO_DESTINATION_PASSWORD");
    return arguments;
}

void nameRoleFromEnvironment(fb::Connection& connection) {
    if (const QString role = qEnvironmentVariable("QUELMARO_DESTINATION_ROLE"); !role.isEmpty())
        connection.setParameter(QStringLiteral("RoleName"), role);
}

} // namespace quelmaro::dm
