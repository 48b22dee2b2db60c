// Unattended runs (run mode "1", QUELMARO_NO_DIALOGS=1) end the program with an exit code a scheduler can
// act on: 0 when the run completed, 1 with the error on standard error and in ERRORES.TXT otherwise.
#include "data/fb/connection.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <functional>

namespace quelmaro::test {
namespace {

const QDate kDay{2024, 3, 1};

struct Failure {
    const char* name;
    std::function<void(QStringList& arguments, fb::Connection& central)> cause;
    const char* shown;  // the line the operator would have read, on standard error
    const char* logged; // part of the untranslated line of ERRORES.TXT
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

class UnattendedRunTest : public testing::Test {
protected:
    CompanyPair companies;
    Installation installation{{companies.server()}};
    Program program{companies, installation};
};

TEST_F(UnattendedRunTest, ACompletedRunEndsWithZeroAndNoMessage) {
    const Program::Ended ended = program.run(program.arguments(kDay));

    EXPECT_EQ(ended.exitCode, 0);
    EXPECT_FALSE(ended.crashed);
    EXPECT_FALSE(ended.errorOutput.contains(QLatin1String("ERROR:"))) << ended.errorOutput.toStdString();
    EXPECT_FALSE(ended.errorOutput.contains(QLatin1String("completado"))); // no closing message either
    EXPECT_TRUE(installation.errorLog().isEmpty());
    const auto central = companies.open(CompanyPair::kCentral);
    EXPECT_GT(central->query(QStringLiteral("select count(*) from facturas")).rows.first().at(0).toInt(), 0);
}

class FailedUnattendedRunTest : public UnattendedRunTest, public testing::WithParamInterface<Failure> {};

TEST_P(FailedUnattendedRunTest, EndsWithOneAfterReportingTheError) {
    QStringList arguments = program.arguments(kDay);
    {
        const auto central = companies.open(CompanyPair::kCentral);
        GetParam().cause(arguments, *central);
    }

    const Program::Ended ended = program.run(arguments);

    EXPECT_EQ(ended.exitCode, 1);
    EXPECT_FALSE(ended.crashed);
    EXPECT_TRUE(ended.errorOutput.contains(QStringLiteral("ERROR: ") + QString::fromUtf8(GetParam().shown)))
        << ended.errorOutput.toStdString();
    const QStringList log = installation.errorLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().contains(QString::fromUtf8(GetParam().logged))) << log.last().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailedUnattendedRunTest,
    testing::Values(Failure{"OriginCannotConnect",
                            [](QStringList& arguments, fb::Connection&) { arguments[3] = "99"; }, "",
                            "I/O error"},
                    Failure{"WrongDestinationPassword",
                            [](QStringList& arguments, fb::Connection&) { arguments[6] = "wrong"; },
                            "El nombre de Usuario o la clave son incorrectas.",
                            "Your user name and password are not defined"},
                    Failure{"NoRoundingSetting",
                            [](QStringList&, fb::Connection& central) {
                                central.execute(
                                    QStringLiteral("delete from configuracion where conf_propiedad = "
                                                   "'REDONDEO AL MULTIPLO DE DIEZ EN TOTALES'"));
                            },
                            "Se presento el siguiente error: ", ""},
                    Failure{"BranchThatIsNoNumber",
                            [](QStringList& arguments, fb::Connection&) { arguments[8] = "1 or 1=1"; },
                            "Se presento el siguiente error: ", ""}),
    [](const testing::TestParamInfo<Failure>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
