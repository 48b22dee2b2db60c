#include "transmission/run/connection_setup.h"

#include "data/fb/connection.h"
#include "transmission/run/own_tables.h"
#include "transmission/run/run_state.h"

#include <stdexcept>

namespace quelmaro {

namespace {

// The database a connection reached: the file as its server names it, and the moment the database was made.
// Two names of one database (a bare path, "localhost:", another host name, an alias) give the same.
QString identityOf(fb::Connection& connection) {
    const fb::Row row =
        connection.read(QStringLiteral("select mon$database_name, mon$creation_date from mon$database"))
            .rows.value(0);
    return row.value(0).toString() + QLatin1Char('|') + row.value(1).toString();
}

// Sending a company to itself would write every document a second time into the store's own books.
void refuseSameDatabase(Run& run) {
    if (identityOf(run.origin()) != identityOf(run.destination()))
        return;
    run.report().refuse();
    throw std::runtime_error(
        (QStringLiteral("El origen y el destino son la misma base de datos (") +
         run.destination().parameter(QStringLiteral("Database")) +
         QStringLiteral("): no se envió nada. Revise el servidor y la compañía de destino."))
            .toStdString());
}

} // namespace

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
    refuseSameDatabase(run);
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
