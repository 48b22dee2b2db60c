#pragma once

#include "data/fb/connection.h"
#include "tests/support/server_user.h"
#include "tests/transmission/support/company_pair.h"

#include <memory>

namespace quelmaro::test {

// A store's login to the central company of `companies`, as a chain gives one: a server user made for one
// test and granted only the role of the store-role script, which makes the role anew in the central first.
class StoreLogin {
public:
    explicit StoreLogin(const CompanyPair& companies);

    QString name() const { return user_.name(); }
    QString password() const { return user_.password(); }
    // The central company, attached as this user with the role named.
    std::unique_ptr<fb::Connection> openCentral() const;

    static const QString kRole; // "QUELMARO_TIENDA"

private:
    const CompanyPair& companies_;
    std::unique_ptr<fb::Connection> administrator_; // attached to the central; outlives the user
    ServerUser user_;
};

} // namespace quelmaro::test
