// A store's user of the central company with the store role only: it sends a day, and sends it again (rows
// replaced), but may not drop or alter a table nor delete documents.
#include "tests/transmission/store/store_login.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

namespace quelmaro::test {
namespace {

class StoreRoleTest : public ProgramTest {};

TEST_F(StoreRoleTest, SendsADayAndCanDoNothingElse) {
    const StoreLogin store(companies);
    program.setEnvironment(QStringLiteral("QUELMARO_DESTINATION_ROLE"), StoreLogin::kRole);
    const QStringList arguments = program.arguments(CompanyPair::kFirstDay, [&](QStringList& arguments) {
        arguments[5] = store.name();
        arguments[6] = store.password();
    });
    for (int run = 1; run <= 2; ++run) {
        const Program::Ended sent = program.run(arguments);
        EXPECT_EQ(sent.exitCode, 0) << "envío " << run << ": " << sent.errorOutput.toStdString();
        EXPECT_TRUE(sent.errorOutput.contains(QStringLiteral("sin fallas")))
            << sent.errorOutput.toStdString();
    }
    const std::unique_ptr<fb::Connection> central = companies.open(CompanyPair::kCentral);
    EXPECT_GT(central->query(QStringLiteral("select count(*) from facturas")).rows.first().at(0).toInt(), 0);
    EXPECT_GT(
        central->query(QStringLiteral("select count(*) from traslados_caja")).rows.first().at(0).toInt(), 0);

    const std::unique_ptr<fb::Connection> asStore = store.openCentral();
    for (const char* forbidden :
         {"drop table facturas", "alter table facturas add prueba integer", "delete from facturas",
          "delete from recibos_caja", "insert into contable (cnt_id) values (-1)"}) {
        std::string refusal = "se permitió";
        try {
            asStore->execute(QString::fromUtf8(forbidden));
        } catch (const std::exception& error) {
            refusal = error.what();
        }
        EXPECT_NE(refusal.find("no permission"), std::string::npos) << forbidden << ": " << refusal;
    }
    EXPECT_GT(asStore->query(QStringLiteral("select count(*) from facturas")).rows.first().at(0).toInt(), 0);
}

} // namespace
} // namespace quelmaro::test
