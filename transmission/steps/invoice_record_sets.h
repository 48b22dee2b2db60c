#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "transmission/posting/posting_journal.h"

#include <QObject>

namespace quelmaro {

// The destination's invoice record set CFactura, read through PFactura by key (parameter ID, "0" by
// default), with two nested sets under each invoice: its lines (CDetalle, keeping the sums SumIva and
// SumTotal), its send record (CEnvio, the row of envio_resumdia that names it) and its row of the posting
// journal. Because the send record travels inside its invoice, one apply writes both in one transaction: an
// invoice is never written without the record that keeps the next run from sending the same sales again,
// nor without the row that has it posted.
class InvoiceRecordSets : public QObject {
    Q_OBJECT
public:
    InvoiceRecordSets(fb::Connection& destination, QObject* parent = nullptr);
    ~InvoiceRecordSets() override;

private:
    Query TFactura_;
    Query TFacturadetalle_;
    Query TEnvioresumdia_;
    PostingJournal journal_;

public:
    Provider PFactura;
    RecordSet CFactura;

    RecordSet& CDetalle() { return CFactura.detail(QStringLiteral("TFacturadetalle")); }
    RecordSet& CEnvio() { return CFactura.detail(QStringLiteral("TEnvioresumdia")); }
};

} // namespace quelmaro
