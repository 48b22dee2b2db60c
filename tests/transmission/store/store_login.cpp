#include "tests/transmission/store/store_login.h"

#include "tests/support/isql.h"

namespace quelmaro::test {

const QString StoreLogin::kRole = QStringLiteral("QUELMARO_TIENDA");

StoreLogin::StoreLogin(const CompanyPair& companies)
    : companies_(companies), administrator_(companies.open(CompanyPair::kCentral)), user_(*administrator_) {
    // The role as the script makes it, not as the company was made with it.
    administrator_->execute(QStringLiteral("drop role %1").arg(kRole));
    runIsqlScript(companies.database(CompanyPair::kCentral), QStringLiteral(QUELMARO_STORE_ROLE_SQL),
                  companies.user(), companies.password());
    administrator_->execute(QStringLiteral("grant %1 to user %2").arg(kRole, user_.name()));
}

std::unique_ptr<fb::Connection> StoreLogin::openCentral() const {
    auto connection = std::make_unique<fb::Connection>();
    connection->setParameter(QStringLiteral("Database"), companies_.database(CompanyPair::kCentral));
    connection->setParameter(QStringLiteral("User_Name"), name());
    connection->setParameter(QStringLiteral("Password"), password());
    connection->setParameter(QStringLiteral("RoleName"), kRole);
    connection->open();
    return connection;
}

} // namespace quelmaro::test
