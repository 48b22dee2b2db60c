#include "transmission/steps/ventas.h"

#include "transmission/posting/posting_journal.h"
#include "transmission/steps/lookup.h"

#include <QScopedValueRollback>

namespace quelmaro {

namespace {

const QString kNoTime = QStringLiteral("00:00");

// Opens the invoices of the date for key 0 unless the run already did. What an earlier step could not
// write (it ended in an error) is dropped, so it is not written with this invoice.
void openForNewInvoices(RecordSet& factura) {
    if (factura.isOpen()) {
        factura.cancelUpdates();
        return;
    }
    factura.fetchParameters();
    factura.setParameter(QStringLiteral("ID"), QStringLiteral("0"));
    factura.open();
}

} // namespace

VentasStep::VentasStep(fb::Connection& destination, QObject* parent)
    : QObject(parent), sets_(destination, this), destination_(destination) {
    sets_.CFactura.setAfterInsertHandler([this](RecordSet& set) { CFacturaAfterInsert(set); });
    sets_.CFactura.setFieldChangeHandler(QStringLiteral("PREF_PRE"),
                                         [this](RecordSet& set) { CFacturaPREF_PREChange(set); });
    sets_.CFactura.setFieldChangeHandler(QStringLiteral("TERC_NIT"),
                                         [this](RecordSet& set) { CFacturaTERC_NITChange(set); });
    sets_.CDetalle().setAfterInsertHandler([this](RecordSet& set) { CDetalleAfterInsert(set); });
}

void VentasStep::send(Run& run, const PointOfSale& point) {
    run.showProgress(QStringLiteral("Enviando ventas punto ") + point.nombre.toString() +
                     QStringLiteral(" Fecha:") + run.dateText() + QStringLiteral(" ..."));
    // The last sale the origin audited for the point today, and the last send the origin knows of. Times
    // are "HH:mm:ss" texts, so comparing them as texts orders them.
    const QString lastSale =
        firstText(run.origin(),
                  QStringLiteral("select max(audi_hora) from auditoria a, facturas f where a.audi_iddoc = "
                                 "f.fact_id and audi_fecha = ? and a.tido_cod = 31 and audi_oper = 'I' and "
                                 "f.ptvt_id = ?"),
                  {run.date(), point.id}, kNoTime);
    const QString lastSend = firstText(
        run.origin(),
        QStringLiteral("select max (enre_hora) from envio_resumdia where ptvt_id = ? and enre_fecha = ?"),
        {point.id, run.date()}, kNoTime);
    if (!(lastSale > lastSend))
        return;

    run.state().timeMark =
        firstText(destination_,
                  QStringLiteral("SELECT MAX(ENRE_HORA) FROM envio_resumdia WHERE ENRE_FECHA = ? "
                                 "AND PTVT_ID = ?"),
                  {run.date(), point.id}, QStringLiteral("00:00:00"));
    sendSummary(run, point, lastSale);
}

void VentasStep::sendSummary(Run& run, const PointOfSale& point, const QString& lastSale) {
    const fb::QueryResult summary =
        run.origin().read(QStringLiteral("select * from RESUMEN_VENTAS_TX(?, ?, ?)"),
                          {run.date(), point.id, run.state().timeMark});
    if (summary.rows.isEmpty())
        return;

    const QScopedValueRollback runScope(run_, &run);
    const QScopedValueRollback pointScope(point_, &point);
    RecordSet& factura = sets_.CFactura;
    openForNewInvoices(factura);

    // The header takes prefix and salesperson from the first summary row.
    prefijo_ = summary.rows.first().value(summary.columnIndex(QStringLiteral("PREFIJO")));
    vendedor_ = summary.rows.first().value(summary.columnIndex(QStringLiteral("VENDEDOR")));
    factura.append();
    // The tax rates of all lines at once, for the articles as the lines will hold them.
    const Field& article = sets_.CDetalle().field(QStringLiteral("ARTI_COD"));
    QList<Value> articles;
    for (const fb::Row& row : summary.rows)
        articles << article.stored(row.value(summary.columnIndex(QStringLiteral("ARTICULO"))));
    const TaxRates taxRates(destination_, articles);
    for (const fb::Row& row : summary.rows)
        addLine(summary, row, taxRates);
    writeTotals(run);

    RecordSet& envio = sets_.CEnvio();
    envio.append();
    envio.setValue(QStringLiteral("PTVT_ID"), point.id);
    envio.setValue(QStringLiteral("ENRE_FECHA"), run.date());
    envio.setValue(QStringLiteral("ENRE_HORA"), lastSale);
    envio.post();
    PostingJournal::add(factura, PostedDocument::Factura, run, point,
                        factura.field(QStringLiteral("PREF_PRE")).asString(),
                        factura.field(QStringLiteral("FACT_FECHA")).asDate());

    if (!applyOrDiscard(factura,
                        QStringLiteral("Se produjeron errores durante la transmisión de las ventas del "
                                       "punto: ") +
                            point.nombre.toString()))
        return;
    run.report().sent(RunReport::Sent::Factura);
    contabilizar(run, PostedDocument::Factura, factura.value(QStringLiteral("FACT_ID")));
}

void VentasStep::addLine(const fb::QueryResult& summary, const fb::Row& row, const TaxRates& taxRates) {
    const auto column = [&](const char* name) { return row.value(summary.columnIndex(QLatin1String(name))); };
    RecordSet& detalle = sets_.CDetalle();
    detalle.append(); // stores a header still being inserted first
    detalle.setValue(QStringLiteral("ARTI_COD"), column("ARTICULO"));
    detalle.setValue(QStringLiteral("FADE_CODBAR"), column("ARTICULO"));
    // 0 for an article without a tax rate in the destination.
    const Value rate = taxRates.of(detalle.value(QStringLiteral("ARTI_COD")));
    detalle.setValue(QStringLiteral("FADE_IVAPORC"), rate.toFixed());
    detalle.setValue(QStringLiteral("FADE_CANT"), column("CANTIDAD"));
    detalle.setValue(QStringLiteral("FADE_UNIDAD"), column("UNIDAD"));
    detalle.setValue(QStringLiteral("FADE_PRUNIT"), column("PRECIO"));
    detalle.setValue(QStringLiteral("FADE_IVAMONTO"), column("IVA"));
    detalle.setValue(QStringLiteral("FADE_CONSUMO"), column("CONSUMO"));
    // From the values as the line holds them, so the total matches its own columns.
    const auto stored = [&](const char* name) { return detalle.field(QLatin1String(name)).asFixed(); };
    detalle.setValue(QStringLiteral("FADE_TOTAL"), stored("FADE_CANT") * stored("FADE_PRUNIT") +
                                                       stored("FADE_IVAMONTO") + stored("FADE_CONSUMO"));
    detalle.post();
}

void VentasStep::writeTotals(Run& run) {
    RecordSet& factura = sets_.CFactura;
    const int exponent = run.state().roundingExponent;
    const Value sumIva = sets_.CDetalle().aggregate(QStringLiteral("SumIva"));
    const Value sumTotal = sets_.CDetalle().aggregate(QStringLiteral("SumTotal"));
    factura.edit();
    if (!sumIva.isNull())
        factura.setValue(QStringLiteral("FACT_IVAMONTO"), sumIva.toFixed().roundedToPowerOfTen(exponent));
    if (!sumTotal.isNull())
        factura.setValue(QStringLiteral("FACT_TOTAL"), sumTotal.toFixed().roundedToPowerOfTen(exponent));
    factura.post();
}

// The new key, with what the prefix and customer handlers need of the destination for the prefix and
// customer the invoice starts with, in one round trip.
void VentasStep::startInvoice(RecordSet& factura) {
    started_ = destination_.execute(
        QStringLiteral(
            "execute block (prefijo varchar(100) = ?, nit varchar(100) = ?) returns (id bigint, "
            "numero type of column prefijos.pref_actual, ivainc type of column "
            "prefijos.pref_ivainc, prefijo_hallado integer, lista type of column clientes.lipr_cod, "
            "cliente_hallado integer) as begin "
            "execute procedure cambie_id_factura returning_values :id; "
            "prefijo_hallado = 0; cliente_hallado = 0; "
            "select first 1 pref_actual, pref_ivainc, 1 from prefijos where tido_cod = 31 and "
            "pref_pre = :prefijo into :numero, :ivainc, :prefijo_hallado; "
            "select first 1 lipr_cod, 1 from clientes where terc_nit = :nit "
            "into :lista, :cliente_hallado; suspend; end"),
        {factura.field(QStringLiteral("PREF_PRE")).stored(prefijo_),
         factura.field(QStringLiteral("TERC_NIT")).stored(point_->nit)});
}

void VentasStep::CFacturaAfterInsert(RecordSet& factura) {
    const QDate fecha = run_->date();
    const Value zero = Fixed();
    startInvoice(factura);
    factura.setValue(QStringLiteral("FACT_ID"), started_.value(0));
    factura.setValue(QStringLiteral("PREF_PRE"), prefijo_);
    // The destination numbers an invoice written with NUMOK "N" itself.
    factura.setValue(QStringLiteral("FACT_NUMERO"), QStringLiteral("000001"));
    for (const char* name : {"FACT_FECHA", "FACT_VENCE", "FACT_DTOFFECHA"})
        factura.setValue(QLatin1String(name), fecha);
    for (const char* name : {"FACT_ANULADO", "FACT_TRANSMIT", "NUMOK"})
        factura.setValue(QLatin1String(name), QStringLiteral("N"));
    for (const char* name : {"FACT_DTOPOR", "FACT_DTOMONTO", "FACT_ADICIONAL", "FACT_EXTRA", "FACT_RTFTEPOR",
                             "FACT_RTIVAPOR", "FACT_RTICAPOR", "FACT_DTOFPOR", "FACT_RECIBIDO"})
        factura.setValue(QLatin1String(name), zero);
    factura.setValue(QStringLiteral("FACT_USUARIO"), run_->settings().originUser);
    factura.setValue(QStringLiteral("PTVT_ID"), point_->id);
    factura.setValue(QStringLiteral("BODE_COD"), point_->bodega);
    factura.setValue(QStringLiteral("TERC_NIT"), point_->nit);
    factura.setValue(QStringLiteral("FACT_SUCURSAL"), QStringLiteral("01"));
    factura.setValue(QStringLiteral("VEND_COD"), vendedor_);
    run_->state().invoiceLineCounter = 0;
}

// PREF_PRE and TERC_NIT change only as an invoice starts, to what startInvoice() asked about.
void VentasStep::CFacturaPREF_PREChange(RecordSet& factura) {
    if (started_.value(3).toInt() == 0)
        return;
    factura.setValue(QStringLiteral("FACT_NUMERO"), started_.value(1));
    factura.setValue(QStringLiteral("FACT_IVAINC"), started_.value(2));
}

void VentasStep::CFacturaTERC_NITChange(RecordSet&) {
    // A customer the destination does not know leaves the price list of the last one it knew.
    if (started_.value(5).toInt() != 0)
        run_->state().priceList = started_.value(4).toInt();
}

void VentasStep::CDetalleAfterInsert(RecordSet& detalle) {
    RunState& state = run_->state();
    detalle.setValue(QStringLiteral("FADE_ITEM"), ++state.invoiceLineCounter);
    detalle.setValue(QStringLiteral("FADE_ANULADO"), QStringLiteral("N"));
    detalle.setValue(QStringLiteral("FADE_TRANSMIT"), QStringLiteral("N"));
    detalle.setValue(QStringLiteral("LIPR_COD"), state.priceList);
    detalle.setValue(QStringLiteral("FADE_FACTOR"), Fixed::fromInt(1));
    for (const char* name : {"FADE_CANT", "FADE_PRUNIT", "FADE_IVAPORC", "FADE_CONSUMO", "FADE_DTOPORC",
                             "FADE_REMISIONADO", "FADE_DEVUELTO"})
        detalle.setValue(QLatin1String(name), Fixed());
    detalle.setValue(QStringLiteral("BODE_COD"), sets_.CFactura.value(QStringLiteral("BODE_COD")));
}

} // namespace quelmaro
