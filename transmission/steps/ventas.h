#pragma once

#include "data/fb/connection.h"
#include "transmission/run/run_state.h"
#include "transmission/steps/invoice_record_sets.h"

#include <QObject>

namespace quelmaro {

class TaxRates;

// The sales of one point of sale and date, sent as one summary invoice: one line per row of the origin's
// RESUMEN_VENTAS_TX after the time up to which the destination has already received them. The invoice and
// its send record are written together, then posted.
class VentasStep : public QObject, public PointStep {
    Q_OBJECT
public:
    explicit VentasStep(fb::Connection& destination, QObject* parent = nullptr);

    void send(Run& run, const PointOfSale& point) override;

    // The invoices of the date; open for key 0 while a date is sent.
    RecordSet& CFactura() { return sets_.CFactura; }

private:
    void sendSummary(Run& run, const PointOfSale& point, const QString& lastSale);
    void addLine(const fb::QueryResult& summary, const fb::Row& row, const TaxRates& taxRates);
    void writeTotals(Run& run);

    void startInvoice(RecordSet& factura);
    void CFacturaAfterInsert(RecordSet& factura);
    void CFacturaPREF_PREChange(RecordSet& factura);
    void CFacturaTERC_NITChange(RecordSet& factura);
    void CDetalleAfterInsert(RecordSet& detalle);

    InvoiceRecordSets sets_;
    fb::Connection& destination_;
    // What the record-set handlers read while a step runs.
    Run* run_ = nullptr;
    const PointOfSale* point_ = nullptr;
    Value prefijo_;  // PREFIJO of the first summary row
    Value vendedor_; // VENDEDOR of the first summary row
    // Asked of the destination as an invoice starts: the new key; the prefix's current number, whether it
    // includes the tax and whether it was found; the customer's price list and whether it was found.
    fb::Row started_;
};

} // namespace quelmaro
