#include "transmission/run/connection_setup.h"

#include "data/fb/connection.h"
#include "transmission/run/own_tables.h"
#include "transmission/run/run_state.h"

namespace quelmaro {

QString CompanyLogin::database() const {
    return server + QStringLiteral("/datos/") + company + QStringLiteral("/norvane.fdb");
}

void connectDatabases(Run& run, const CompanyLogin& origin, const CompanyLogin& destination,
                      const std::function<void(const QString&)>& setUsuario) {
    fb::Connection& dbOrigen = run.origin();
    dbOrigen.close();
    dbOrigen.setReadOnly(true);
    dbOrigen.setParameter(QStringLiteral("Database"), origin.database());
    run.showProgress(QStringLiteral("Conectando a ") + origin.database() + QStringLiteral(" ..."));
    run.state().timeMark = QStringLiteral("00:00:00");
    dbOrigen.setParameter(QStringLiteral("User_Name"), origin.user);
    dbOrigen.setParameter(QStringLiteral("password"), origin.password);
    dbOrigen.open();

    fb::Connection& norvane = run.destination();
    norvane.close();
    norvane.setParameter(QStringLiteral("Database"), destination.database());
    run.showProgress(QStringLiteral("Conectando a ") + norvane.parameter(QStringLiteral("Database")) +
                     QStringLiteral(" ..."));
    norvane.setParameter(QStringLiteral("User_Name"), destination.user);
    norvane.setParameter(QStringLiteral("password"), destination.password);
    norvane.open();
    setUsuario(destination.user);
    ensureOwnTables(norvane,
                    destination.company + QStringLiteral(" (") + destination.database() + QLatin1Char(')'),
                    run.report());

    // The shared connection already points at the destination, so its configuration is the one read.
    run.state().roundingExponent =
        int(Value(run.configuracion(QStringLiteral("FACTURACION"), QStringLiteral("DOCUMENTOS"),
                                    QStringLiteral("REDONDEO AL MULTIPLO DE DIEZ EN TOTALES")))
                .toInt());
}

} // namespace quelmaro
