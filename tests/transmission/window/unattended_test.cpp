// Unattended runs (run mode "1", QUELMARO_NO_DIALOGS=1) end the program with an exit code a scheduler can
// act on: 0 when the run completed, 1 with the error on standard error and in ERRORES.TXT otherwise, 2 with
// the usage for a command line nobody could run without an operator, or with the error for a branch that
// does not exist.
#include "data/fb/connection.h"
#include "tests/transmission/support/company_pair.h"
#include "tests/transmission/support/installation.h"
#include "tests/transmission/support/program.h"

#include <gtest/gtest.h>

#include <QMap>

#include <functional>

namespace quelmaro::test {
namespace {

const QDate kDay{2024, 3, 1};

struct Failure {
    const char* name;
    std::function<void(QStringList& arguments, fb::Connection& central)> cause;
    const char* shown;  // the line the operator would have read, on standard error
    const char* logged; // part of the untranslated line of ERRORES.TXT
    int exitCode = 1;
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

using UnattendedRunTest = ProgramTest;

TEST_F(UnattendedRunTest, ACompletedRunEndsWithZeroAndNoMessage) {
    const Program::Ended ended = program.run(program.arguments(kDay));

    EXPECT_EQ(ended.exitCode, 0);
    EXPECT_FALSE(ended.crashed);
    EXPECT_FALSE(ended.errorOutput.contains(QLatin1String("ERROR:"))) << ended.errorOutput.toStdString();
    EXPECT_FALSE(ended.errorOutput.contains(QLatin1String("completado"))); // no closing message either
    EXPECT_TRUE(installation.errorLog().isEmpty());
    EXPECT_TRUE(ended.errorOutput.endsWith(QLatin1String("; sin fallas\n")))
        << ended.errorOutput.toStdString();
    const auto central = companies.open(CompanyPair::kCentral);
    EXPECT_GT(central->query(QStringLiteral("select count(*) from facturas")).rows.first().at(0).toInt(), 0);
}

class FailedUnattendedRunTest : public UnattendedRunTest, public testing::WithParamInterface<Failure> {};

TEST_P(FailedUnattendedRunTest, EndsWithItsCodeAfterReportingTheError) {
    QStringList arguments = program.arguments(kDay);
    QMap<QString, QList<fb::Row>> invoices;
    for (const QString& company : {CompanyPair::kCentral, CompanyPair::kOrigin})
        invoices[company] =
            companies.open(company)->query(QStringLiteral("select count(*) from facturas")).rows;
    {
        const auto central = companies.open(CompanyPair::kCentral);
        GetParam().cause(arguments, *central);
    }

    const Program::Ended ended = program.run(arguments);

    EXPECT_EQ(ended.exitCode, GetParam().exitCode);
    EXPECT_FALSE(ended.crashed);
    EXPECT_TRUE(ended.errorOutput.contains(QStringLiteral("ERROR: ") + QString::fromUtf8(GetParam().shown)))
        << ended.errorOutput.toStdString();
    // Whatever stopped it, the run's last line says what it did.
    EXPECT_TRUE(
        ended.errorOutput.trimmed().split(QLatin1Char('\n')).last().startsWith(QLatin1String("RESUMEN: ")))
        << ended.errorOutput.toStdString();
    const QStringList log = installation.errorLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.last().contains(QString::fromUtf8(GetParam().logged))) << log.last().toStdString();
    // Nothing was written, in the central company nor in the store's own.
    for (const QString& company : {CompanyPair::kCentral, CompanyPair::kOrigin})
        EXPECT_EQ(companies.open(company)->query(QStringLiteral("select count(*) from facturas")).rows,
                  invoices[company])
            << company.toStdString();
}

// The origin company named again as the destination, under another name.
std::function<void(QStringList&, fb::Connection&)> sameCompanyAs(const char* from, const char* to) {
    return [=](QStringList& arguments, fb::Connection&) {
        arguments[4].replace(QLatin1String(from), QLatin1String(to));
        arguments[7] = arguments[3];
    };
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailedUnattendedRunTest,
    testing::Values(
        Failure{"OriginCannotConnect", [](QStringList& arguments, fb::Connection&) { arguments[3] = "99"; },
                "", "I/O error"},
        Failure{"WrongDestinationPassword",
                [](QStringList& arguments, fb::Connection&) { arguments[6] = "wrong"; },
                "El nombre de Usuario o la clave son incorrectas.",
                "Your user name and password are not defined"},
        Failure{"NoRoundingSetting",
                [](QStringList&, fb::Connection& central) {
                    central.execute(QStringLiteral("delete from configuracion where conf_propiedad = "
                                                   "'REDONDEO AL MULTIPLO DE DIEZ EN TOTALES'"));
                },
                "Se presento el siguiente error: ", ""},
        Failure{"BranchThatDoesNotExist",
                [](QStringList& arguments, fb::Connection&) { arguments[8] = "99"; },
                "Se presento el siguiente error: La agencia 99 no existe en la compañía de origen",
                "La agencia 99 no existe", 2},
        Failure{"SameDatabaseAsTheOrigin", sameCompanyAs("", ""),
                "Se presento el siguiente error: El origen y el destino son la misma base de datos",
                "misma base de datos", 2},
        Failure{"SameDatabaseThroughAnotherHostName", sameCompanyAs("localhost:", "127.0.0.1:"),
                "Se presento el siguiente error: El origen y el destino son la misma base de datos",
                "misma base de datos", 2},
        Failure{"SameDatabaseByItsPath", sameCompanyAs("localhost:", ""),
                "Se presento el siguiente error: El origen y el destino son la misma base de datos",
                "misma base de datos", 2},
        Failure{"UserNameLongerThanFirebirdTakes",
                [](QStringList& arguments, fb::Connection&) { arguments[5] = QString(32, QLatin1Char('u')); },
                "Un dato de la conexión (servidor, usuario, clave o compañía) es más largo de lo que acepta "
                "Firebird.",
                "too long"},
        Failure{"ServerThatDoesNotAnswer",
                [](QStringList& arguments, fb::Connection&) {
                    arguments[4].replace("localhost:", "localhost/3999:");
                },
                "El servidor de base de datos del equipo localhost no responde",
                "Failed to establish a connection"}),
    [](const testing::TestParamInfo<Failure>& info) { return info.param.name; });

TEST_F(UnattendedRunTest, AFileThatIsNoDatabaseIsNamed) {
    companies.writeInsteadOfDatabase("07", QByteArray("Esto no es una base de datos.\n").repeated(5000));
    const Program::Ended ended = program.run(program.arguments(kDay, [](QStringList& a) { a[3] = "07"; }));

    EXPECT_EQ(ended.exitCode, 1);
    EXPECT_TRUE(ended.errorOutput.contains(QStringLiteral("ERROR: El archivo ") +
                                           companies.database("07").mid(10) +
                                           QStringLiteral(" no es una base de datos de Firebird.")))
        << ended.errorOutput.toStdString();
}

// A huge argument is cut in what the operator reads and in the log, not repeated whole.
TEST_F(UnattendedRunTest, AHugeArgumentIsCutInMessagesAndLog) {
    const QString huge(100'000, QLatin1Char('x'));
    const Program::Ended ended = program.run(program.arguments(kDay, [&](QStringList& a) { a[3] = huge; }));

    EXPECT_EQ(ended.exitCode, 1);
    EXPECT_TRUE(ended.errorOutput.contains(QStringLiteral("ERROR: No se encontró el archivo o la ruta /")))
        << ended.errorOutput.left(3000).toStdString();
    EXPECT_TRUE(ended.errorOutput.contains(QStringLiteral("xxx…")));
    EXPECT_LT(ended.errorOutput.size(), 3000);
    const QStringList log = installation.errorLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_LT(log.last().size(), 3000);
}

struct Unusable {
    const char* name;
    std::function<void(QStringList& arguments)> change;
    const char* reason;
    const char* variable = nullptr; // set in the program's environment to `value`
    const char* value = nullptr;
};

void PrintTo(const Unusable& unusable, std::ostream* out) {
    *out << unusable.name;
}

class UnusableCommandLineTest : public UnattendedRunTest, public testing::WithParamInterface<Unusable> {};

TEST_P(UnusableCommandLineTest, EndsWithTwoAndTheUsage) {
    if (GetParam().variable)
        program.setEnvironment(QString::fromLatin1(GetParam().variable), QString::fromUtf8(GetParam().value));
    const Program::Ended ended = program.run(program.arguments(kDay, GetParam().change));

    EXPECT_EQ(ended.exitCode, 2);
    EXPECT_TRUE(ended.errorOutput.contains(QString::fromUtf8(GetParam().reason) + "\nUso: quelmaro "))
        << ended.errorOutput.toStdString();
    EXPECT_TRUE(installation.errorLog().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UnusableCommandLineTest,
    testing::Values(
        Unusable{"NoArguments", [](QStringList& a) { a.clear(); },
                 "Sin argumentos el programa abre su ventana y espera a un operador, y QUELMARO_NO_DIALOGS=1 "
                 "dice que no lo hay."},
        Unusable{"SevenArguments", [](QStringList& a) { a = a.mid(0, 7); },
                 "Se esperan 11 argumentos y se recibieron 7."},
        Unusable{"RunModeNine", [](QStringList& a) { a[9] = "9"; },
                 "Modo de ejecución desconocido (argumento 10): '9'; sin operador se usa 1."},
        Unusable{"RunModeTwoNeedsSomeoneToPressF5", [](QStringList& a) { a[9] = "2"; },
                 "El modo 2 (argumento 10) espera que un operador pulse F5; sin operador use el modo 1."},
        Unusable{"EmptyOriginCompany", [](QStringList& a) { a[3] = ""; },
                 "Falta la compañía de origen (argumento 4)."},
        Unusable{"EmptyDestinationCompany", [](QStringList& a) { a[7] = ""; },
                 "Falta la compañía de destino (argumento 8)."},
        Unusable{"BranchThatIsNoNumber", [](QStringList& a) { a[8] = "1 or 1=1"; },
                 "La agencia (argumento 9) debe ser un SUCU_ID o 0 para todas: '1 or 1=1'."},
        Unusable{"NoRealDay", [](QStringList& a) { a[10] = "2024/02/30"; },
                 "La fecha (argumento 11) debe ser AAAA/MM/DD o CLI: '2024/02/30'."},
        Unusable{"LockTimeoutZero",
                 {},
                 "QUELMARO_LOCK_TIMEOUT debe ser un número entero de segundos de 1 a 86400; se recibió «0».",
                 "QUELMARO_LOCK_TIMEOUT",
                 "0"},
        Unusable{"LockTimeoutNegative",
                 {},
                 "QUELMARO_LOCK_TIMEOUT debe ser un número entero de segundos de 1 a 86400; se recibió «-1».",
                 "QUELMARO_LOCK_TIMEOUT",
                 "-1"},
        Unusable{
            "LockTimeoutNoNumber",
            {},
            "QUELMARO_LOCK_TIMEOUT debe ser un número entero de segundos de 1 a 86400; se recibió «abc».",
            "QUELMARO_LOCK_TIMEOUT",
            "abc"},
        Unusable{"SilenceNotLongerThanTheLockWait",
                 {},
                 "QUELMARO_SILENCE_TIMEOUT (5 s) debe ser mayor que QUELMARO_LOCK_TIMEOUT (10 s): esperar un "
                 "registro bloqueado no es silencio del servidor.",
                 "QUELMARO_SILENCE_TIMEOUT",
                 "5"}),
    [](const testing::TestParamInfo<Unusable>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
