#include "data/dm/dm.h"

#include "data/dm/configuration_lookup.h"
#include "data/dm/error_log.h"
#include "data/dm/error_translation.h"
#include "data/dm/long_text.h"
#include "data/dm/wait_settings.h"
#include "data/fb/silence_watch.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "platform/clock.h"
#include "platform/messages.h"

#include <QObject>

namespace quelmaro {

Tfdm* fdm = nullptr;

namespace {

// Rows a configured record set fetches per request.
constexpr int kPacketRecords = 1000;

const QStringList kFormatLink = {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")};

QStringList emptyRequiredFields(RecordSet& recordSet) {
    QStringList names;
    for (int i = 0; i < recordSet.fieldCount(); ++i) {
        const Field& field = recordSet.field(i);
        if (field.isRequired() && !field.isCalculated() && field.isNull())
            names << field.name();
    }
    return names;
}

QStringList keyFields(RecordSet& recordSet) {
    QStringList names;
    for (int i = 0; i < recordSet.fieldCount(); ++i)
        if (recordSet.field(i).isKey())
            names << recordSet.field(i).name();
    return names;
}

} // namespace

struct Tfdm::DataSets {
    explicit DataSets(fb::Connection& connection);

    Query QResumen;
    Query QConfiguracion;
    Query Tformatos;
    Query Tformadatos;
    Query Tformalineas;
    Query TFactura;
    Query TFacturadetalle;
    Query QBorrar;
    Query TSubEmpresa;
    Query TRecibo;
    Query TRecidetalle;
    Query TRecipago;
    Query TTercero;
    Query TTraslados;
    Query TTrasladodet;
    Query TEgresos;
    Query TEgresodet;
    Query TEgrecaja;
    Provider PConfiguracion;
    RecordSet CConfiguracion;
};

Tfdm::DataSets::DataSets(fb::Connection& connection)
    : QResumen(QStringLiteral("QResumen"), connection),
      QConfiguracion(QStringLiteral("QConfiguracion"), connection),
      Tformatos(QStringLiteral("Tformatos"), connection),
      Tformadatos(QStringLiteral("Tformadatos"), connection),
      Tformalineas(QStringLiteral("Tformalineas"), connection),
      TFactura(QStringLiteral("TFactura"), connection),
      TFacturadetalle(QStringLiteral("TFacturadetalle"), connection),
      QBorrar(QStringLiteral("QBorrar"), connection), TSubEmpresa(QStringLiteral("TSubEmpresa"), connection),
      TRecibo(QStringLiteral("TRecibo"), connection),
      TRecidetalle(QStringLiteral("TRecidetalle"), connection),
      TRecipago(QStringLiteral("TRecipago"), connection), TTercero(QStringLiteral("TTercero"), connection),
      TTraslados(QStringLiteral("TTraslados"), connection),
      TTrasladodet(QStringLiteral("TTrasladodet"), connection),
      TEgresos(QStringLiteral("TEgresos"), connection), TEgresodet(QStringLiteral("TEgresodet"), connection),
      TEgrecaja(QStringLiteral("TEgrecaja"), connection),
      PConfiguracion(QStringLiteral("PConfiguracion"), QConfiguracion),
      CConfiguracion(QStringLiteral("CConfiguracion")) {
    dm::setUpConfigurationQuery(QConfiguracion);
    Tformatos.setTable(QStringLiteral("FORMATOS"));
    Tformadatos.setTable(QStringLiteral("FORMATO_DATOS"), kFormatLink);
    Tformadatos.setMaster(Tformatos, kFormatLink);
    Tformalineas.setTable(QStringLiteral("FORMATO_LINEAS"));
    Tformalineas.setMaster(Tformatos, kFormatLink);

    TFactura.setStatement(QStringLiteral("SELECT * FROM FACTURAS WHERE FACT_ID = :ID"));
    TFactura.setParameterDefault(QStringLiteral("ID"), QStringLiteral("0"));
    TFacturadetalle.setStatement(QStringLiteral("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = :FACT_ID"));
    TFacturadetalle.setMaster(TFactura);

    TSubEmpresa.setStatement(QStringLiteral("SELECT * FROM SUCURSALES"));

    TRecibo.setStatement(QStringLiteral("SELECT * FROM RECIBOS_CAJA WHERE RECA_ID = :ID"));
    TRecibo.setParameterDefault(QStringLiteral("ID"), QStringLiteral("0"));
    TRecidetalle.setStatement(QStringLiteral("SELECT * FROM RECIBOS_CAJA_DETALLE WHERE RECA_ID = :RECA_ID"));
    TRecidetalle.setMaster(TRecibo);
    TRecipago.setStatement(QStringLiteral("SELECT * FROM RECIBOS_CAJA_PAGO WHERE RECA_ID = :RECA_ID"));
    TRecipago.setMaster(TRecibo);

    TTercero.setStatement(QStringLiteral("SELECT * FROM TERCEROS WHERE TERC_NIT = :NIT"));
    TTercero.setParameterDefault(QStringLiteral("NIT"), QStringLiteral("0"));

    TTraslados.setStatement(QStringLiteral("SELECT * FROM TRASLADOS_CAJA"));
    TTrasladodet.setStatement(QStringLiteral("SELECT * FROM TRASLADOS_CAJA_DET WHERE TRCJ_ID = :TRCJ_ID"));
    TTrasladodet.setMaster(TTraslados);

    TEgresos.setStatement(QStringLiteral("SELECT * FROM EGRESOS"));
    TEgresodet.setStatement(QStringLiteral("SELECT * FROM EGRESOS_DETALLE WHERE EGRE_ID = :EGRE_ID"));
    TEgresodet.setMaster(TEgresos);
    TEgrecaja.setStatement(QStringLiteral("SELECT * FROM EGRESOS_CAJA WHERE EGRE_ID = :EGRE_ID"));
    TEgrecaja.setMaster(TEgresos);

    CConfiguracion.setProvider(&PConfiguracion);
}

Tfdm::Tfdm()
    : dataSets_(std::make_unique<DataSets>(Norvane)), QResumen(dataSets_->QResumen),
      QConfiguracion(dataSets_->QConfiguracion), Tformatos(dataSets_->Tformatos),
      Tformadatos(dataSets_->Tformadatos), Tformalineas(dataSets_->Tformalineas),
      TFactura(dataSets_->TFactura), TFacturadetalle(dataSets_->TFacturadetalle), QBorrar(dataSets_->QBorrar),
      TSubEmpresa(dataSets_->TSubEmpresa), TRecibo(dataSets_->TRecibo), TRecidetalle(dataSets_->TRecidetalle),
      TRecipago(dataSets_->TRecipago), TTercero(dataSets_->TTercero), TTraslados(dataSets_->TTraslados),
      TTrasladodet(dataSets_->TTrasladodet), TEgresos(dataSets_->TEgresos), TEgresodet(dataSets_->TEgresodet),
      TEgrecaja(dataSets_->TEgrecaja), SCambieidfact(QStringLiteral("CAMBIE_ID_FACTURA"), Norvane),
      SIdrecibo(QStringLiteral("CAMBIE_ID_RECICAJA"), Norvane),
      Sidtraslado(QStringLiteral("CAMBIE_ID_TRASLACAJA"), Norvane),
      SIdegreso(QStringLiteral("CAMBIE_ID_EGRESO"), Norvane),
      SContapend(QStringLiteral("CONTABILIZA_PENDIENTE"), Norvane, {QStringLiteral("IDCNT")}),
      PConfiguracion(dataSets_->PConfiguracion), CConfiguracion(dataSets_->CConfiguracion),
      unhandledErrors_([this](const std::exception& error) { ENoManejada(error); }) {
    // Design values; the windows change Database, User_Name and password before they connect.
    Norvane.setParameter(QStringLiteral("BlobSize"), QStringLiteral("-1"));
    Norvane.setParameter(QStringLiteral("CommitRetain"), QStringLiteral("False"));
    Norvane.setParameter(QStringLiteral("Database"), QStringLiteral("/norvane/datos/01/norvane.fdb"));
    Norvane.setParameter(QStringLiteral("DriverName"), QStringLiteral("Interbase"));
    Norvane.setParameter(QStringLiteral("ErrorResourceFile"), QString());
    Norvane.setParameter(QStringLiteral("LocaleCode"), QStringLiteral("0000"));
    Norvane.setParameter(QStringLiteral("Password"), QStringLiteral("plovarden"));
    Norvane.setParameter(QStringLiteral("RoleName"), QStringLiteral("RoleName"));
    Norvane.setParameter(QStringLiteral("ServerCharSet"), QString());
    Norvane.setParameter(QStringLiteral("SQLDialect"), QStringLiteral("3"));
    Norvane.setParameter(QStringLiteral("Interbase TransIsolation"), QStringLiteral("ReadCommited"));
    Norvane.setParameter(QStringLiteral("User_Name"), QStringLiteral("sysdba"));
    Norvane.setParameter(QStringLiteral("WaitOnLocks"), QStringLiteral("True"));
    // Seconds a statement waits for a row another session holds before it fails, and a call for a server
    // that says nothing at all; an installation whose central office holds rows longer may give more.
    const dm::WaitSettings waits = dm::waitSettings();
    Norvane.setParameter(QStringLiteral("LockTimeout"), QString::number(waits.lockTimeout));
    fb::setSilenceLimit(std::chrono::seconds(waits.silenceTimeout));
    fb::Connection::setWireCompression(qEnvironmentVariable("QUELMARO_WIRE_COMPRESSION") !=
                                       QLatin1String("0"));
    fdm = this;
}

Tfdm::~Tfdm() {
    if (fdm == this)
        fdm = nullptr;
}

void Tfdm::ConfigurarProviders(QObject* owner) {
    for (QObject* component : owner->children()) {
        if (auto* provider = qobject_cast<Provider*>(component)) {
            provider->setUpdateErrorHandler(
                [this](Provider& sender, RecordSet& recordSet, const std::exception& error, UpdateKind) {
                    ManejarError(&sender, &recordSet, QString::fromUtf8(error.what()));
                });
        } else if (auto* recordSet = qobject_cast<RecordSet*>(component)) {
            recordSet->setPacketRecords(kPacketRecords);
            configureErrorHandlers(*recordSet);
        } else {
            ConfigurarProviders(component);
        }
    }
}

void Tfdm::configureErrorHandlers(RecordSet& recordSet) {
    const RecordSet::ErrorHandler handler = [this](RecordSet& failed, const std::exception& error) {
        return ManejarClientError(failed, error);
    };
    recordSet.setPostErrorHandler(handler);
    recordSet.setEditErrorHandler(handler);
    recordSet.setDeleteErrorHandler(handler);
    // Nested sets belong to their master here, not to the window, but they are the window's data as well.
    for (int i = 0; i < recordSet.detailCount(); ++i)
        configureErrorHandlers(recordSet.detail(i));
}

void Tfdm::ManejarError(Provider* sender, RecordSet* recordSet, const QString& message) {
    // A text typed on a command line or in a field may be of any length; what it says is in its start. The
    // translation reads the whole text, so that it still finds what the text quotes.
    dm::ErrorLog::append(directorio, platform::now(), usuario, dm::cutLongText(message));
    QString shown;
    if (!recordSet)
        shown = dm::translateError(message);
    else if (!sender)
        shown = dm::translateRecordSetError(
            message, [recordSet] { return emptyRequiredFields(*recordSet); },
            [recordSet] { return keyFields(*recordSet); });
    else
        shown = dm::translateProviderError(message, sender->dataSetName());
    platform::messages().beep();
    platform::messages().error(dm::cutLongText(shown));
}

ErrorAction Tfdm::ManejarClientError(RecordSet& recordSet, const std::exception& error) {
    ManejarError(nullptr, &recordSet, QString::fromUtf8(error.what()));
    return ErrorAction::Abort;
}

void Tfdm::ENoManejada(const std::exception& error) {
    ManejarError(nullptr, nullptr, QString::fromUtf8(error.what()));
}

QString Tfdm::configuracion(const QString& modulo, const QString& categoria, const QString& propiedad) {
    return dm::lookupConfiguration(CConfiguracion, modulo, categoria, propiedad);
}

} // namespace quelmaro
