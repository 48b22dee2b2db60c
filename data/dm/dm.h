#pragma once

#include "data/dm/stored_procedure.h"
#include "data/fb/connection.h"
#include "platform/guard.h"

#include <QString>

#include <exception>
#include <memory>

class QObject;

namespace quelmaro {

class Query;
class Provider;
class RecordSet;
enum class ErrorAction;

// The data module: the program's one database connection, the data sets the windows read through their
// providers, the configuration lookup and the error reporting of the whole program. Created before the
// main window and alive until the program ends; windows reach it through `fdm`.
//
// Every error ends in ManejarError: through ENoManejada for errors that escape a handler (the data module
// installs it as the program's handler of unhandled errors, see guard.h), through the providers' update-error
// handler and through the record sets' post, edit and delete error handlers (both attached by
// ConfigurarProviders).
class Tfdm {
public:
    Tfdm();
    ~Tfdm();
    Tfdm(const Tfdm&) = delete;
    Tfdm& operator=(const Tfdm&) = delete;

    // Closed at start; the main window points it at the origin company, a transmission at the destination.
    fb::Connection Norvane;

private:
    struct DataSets;
    std::unique_ptr<DataSets> dataSets_; // what the references below refer to

public:
    // Data sets on Norvane. A detail takes its parameters from the current row of its master.
    Query& QResumen;        // no statement: the closing report's record set brings it
    Query& QConfiguracion;  // one row of CONFIGURACION, parameters MODULO, CATEGORIA, PROPIEDAD
    Query& Tformatos;       // FORMATOS
    Query& Tformadatos;     // FORMATO_DATOS of the current format, ordered by TIDO_COD, PREF_PRE
    Query& Tformalineas;    // FORMATO_LINEAS of the current format
    Query& TFactura;        // FACTURAS by FACT_ID = :ID (text, "0" by default)
    Query& TFacturadetalle; // FACTURAS_DETALLE of the invoice
    Query& QBorrar;         // no statement: the caller's record set brings it
    Query& TSubEmpresa;     // SUCURSALES
    Query& TRecibo;         // RECIBOS_CAJA by RECA_ID = :ID (text, "0" by default)
    Query& TRecidetalle;    // RECIBOS_CAJA_DETALLE of the receipt
    Query& TRecipago;       // RECIBOS_CAJA_PAGO of the receipt
    Query& TTercero;        // TERCEROS by TERC_NIT = :NIT (text, "0" by default)
    Query& TTraslados;      // TRASLADOS_CAJA
    Query& TTrasladodet;    // TRASLADOS_CAJA_DET of the transfer
    Query& TEgresos;        // EGRESOS
    Query& TEgresodet;      // EGRESOS_DETALLE of the disbursement
    Query& TEgrecaja;       // EGRESOS_CAJA of the disbursement

    // New keys (output ID) and the posting of pending entries (input IDCNT).
    StoredProcedure SCambieidfact;
    StoredProcedure SIdrecibo;
    StoredProcedure Sidtraslado;
    StoredProcedure SIdegreso;
    StoredProcedure SContapend;

    // The data module's own configuration lookup reads through these; their errors are unhandled errors.
    Provider& PConfiguracion;
    RecordSet& CConfiguracion;

    QString agencia;           // branch to transmit: its SUCU_ID as text, "0" for all
    QString usuario;           // user written into the error log: the destination user once connected
    QString directorio;        // application directory, where ERRORES.TXT lies
    bool modoClientes = false; // customer mode of the command-line start

    // Attaches ManejarError to every provider and ManejarClientError to every record set (and its nested
    // sets) that `owner` owns, directly or through any QObject it owns, and makes the record sets fetch 1000
    // rows per request. A window registers its providers and record sets by making them its QObject
    // children (or children of its children).
    void ConfigurarProviders(QObject* owner);

    // Logs `message` to ERRORES.TXT, beeps and shows it in Spanish. `sender` is the provider that was
    // applying changes, `recordSet` the record set involved; either may be null. A provider always stops
    // applying after it.
    void ManejarError(Provider* sender, RecordSet* recordSet, const QString& message);
    // A post, edit or delete of a record set failed: reported, then cancelled silently.
    ErrorAction ManejarClientError(RecordSet& recordSet, const std::exception& error);
    // An error no handler caught.
    void ENoManejada(const std::exception& error);

    // The value of a configuration row of the database Norvane is connected to; a missing row shows
    // "No se encontró la configuración <propiedad>" and gives an empty text.
    QString configuracion(const QString& modulo, const QString& categoria, const QString& propiedad);

private:
    void configureErrorHandlers(RecordSet& recordSet);

    platform::UnhandledErrorScope unhandledErrors_;
};

// The data module of the running program; null before it is created and after it is gone.
extern Tfdm* fdm;

} // namespace quelmaro
