#include "transmission/run/connection_setup.h"

#include "data/fb/error.h"
#include "data/types/errors.h"
#include "platform/recording_messages.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/run_session.h"

#include <gtest/gtest.h>

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

class ConnectionSetupTest : public testing::Test {
protected:
    void setRounding(fb::Connection& company, const QString& value) {
        company.execute(QStringLiteral("update configuracion set conf_valor = ? where conf_propiedad = "
                                       "'REDONDEO AL MULTIPLO DE DIEZ EN TOTALES'"),
                        {value});
    }

    platform::ScopedRecording messages;
    RunSession session;
};

TEST_F(ConnectionSetupTest, OpensTheOriginReadOnlyAndLeavesTheSharedConnectionOnTheDestination) {
    setRounding(session.origin(), QStringLiteral("3"));
    setRounding(session.central(), QStringLiteral("1"));
    session.run.state().timeMark = QStringLiteral("10:15:00");

    session.connect();

    EXPECT_EQ(session.progress.shown(),
              (QStringList{"Conectando a " + session.companies.database("01") + " ...",
                           "Conectando a " + session.companies.database("00") + " ..."}));
    EXPECT_TRUE(session.progress.isVisible());
    EXPECT_EQ(session.dm.Norvane.parameter(QStringLiteral("Database")), session.companies.database("00"));
    EXPECT_EQ(session.dm.usuario, session.companies.user());
    EXPECT_EQ(session.run.state().timeMark, QStringLiteral("00:00:00"));
    EXPECT_EQ(session.run.state().roundingExponent, 1); // the destination's setting, not the origin's
    EXPECT_THROW(session.dbOrigen.execute(QStringLiteral("update punto_venta set ptvt_nom = 'X'")),
                 fb::DatabaseError);
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_F(ConnectionSetupTest, ANegativeRoundingExponentIsKept) {
    setRounding(session.central(), QStringLiteral("-2"));
    session.connect();
    EXPECT_EQ(session.run.state().roundingExponent, -2);
}

TEST_F(ConnectionSetupTest, MissingRoundingSettingEndsTheRunAfterItsMessage) {
    session.central().execute(QStringLiteral(
        "delete from configuracion where conf_propiedad = 'REDONDEO AL MULTIPLO DE DIEZ EN TOTALES'"));

    EXPECT_THROW(session.connect(), ConversionError);

    EXPECT_TRUE(messages.recorded().contains(RecordedMessage{
        MessageKind::Error,
        QStringLiteral("No se encontró la configuración REDONDEO AL MULTIPLO DE DIEZ EN TOTALES")}));
}

TEST_F(ConnectionSetupTest, AWrongDestinationPasswordFailsAtTheDestination) {
    CompanyLogin central = session.centralLogin();
    central.password = QStringLiteral("not-the-password");

    EXPECT_THROW(connectDatabases(session.run, session.originLogin(), central, [](const QString&) {}),
                 fb::DatabaseError);

    EXPECT_TRUE(session.dbOrigen.isOpen());
    EXPECT_FALSE(session.dm.Norvane.isOpen());
    EXPECT_EQ(session.progress.shown().last(), "Conectando a " + session.companies.database("00") + " ...");
}

} // namespace
} // namespace quelmaro::test
