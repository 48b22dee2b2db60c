#include "tests/support/server_user.h"

#include "data/fb/connection.h"

#include <QUuid>

namespace quelmaro::test {

ServerUser::ServerUser(fb::Connection& administrator)
    : administrator_(administrator),
      name_(QStringLiteral("PRUEBA_") + QUuid::createUuid().toString(QUuid::Id128).left(16).toUpper()),
      password_(QStringLiteral("clave1")) {
    administrator_.execute(QStringLiteral("create user %1 password '%2'").arg(name_, password_));
}

ServerUser::~ServerUser() {
    try {
        administrator_.execute(QStringLiteral("drop user %1").arg(name_));
    } catch (const std::exception&) {
        // A user left behind costs nothing but a line in the security database.
    }
}

void ServerUser::grantEverythingIn(fb::Connection& database) const {
    database.execute(
        QStringLiteral("execute block as declare name varchar(63); begin "
                       "for select trim(rdb$relation_name) from rdb$relations where rdb$system_flag = 0 "
                       "into :name do execute statement 'grant all on ' || name || ' to %1'; "
                       "for select trim(rdb$procedure_name) from rdb$procedures where rdb$system_flag = 0 "
                       "into :name do execute statement 'grant execute on procedure ' || name || ' to %1'; "
                       "for select trim(rdb$generator_name) from rdb$generators where rdb$system_flag = 0 "
                       "into :name do execute statement 'grant usage on sequence ' || name || ' to %1'; "
                       "for select trim(rdb$exception_name) from rdb$exceptions where rdb$system_flag = 0 "
                       "into :name do execute statement 'grant usage on exception ' || name || ' to %1'; "
                       "end")
            .arg(name_));
}

} // namespace quelmaro::test
