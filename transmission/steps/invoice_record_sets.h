#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"

#include <QObject>

namespace quelmaro {

// The destination's invoice record set CFactura, read through PFactura by key (parameter ID, "0" by
// default), with two nested sets under each invoice: its lines (CDetalle, keeping the sums SumIva and
// SumTotal) and its send record (CEnvio, the row of envio_resumdia that names it). Because the send record
// travels inside its invoice, one apply writes both in one transaction: an invoice is never written without
// the record that keeps the next run from sending the same sales again.
class InvoiceRecordSets : public QObject {
    Q_OBJECT
public:
    InvoiceRecordSets(fb::Connection& destination, QObject* parent = nullptr);
    ~InvoiceRecordSets() override;

private:
    Query TFactura_;
    Query TFacturadetalle_;
    Query TEnvioresumdia_;

public:
    Provider PFactura;
    RecordSet CFactura;

    RecordSet& CDetalle() { return CFactura.detail(0); }
    RecordSet& CEnvio() { return CFactura.detail(1); }
};

} // namespace quelmaro
