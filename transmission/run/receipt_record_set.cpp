#include "transmission/run/receipt_record_set.h"

namespace quelmaro {

ReceiptRecordSet::ReceiptRecordSet(Query& tRecibo, QObject* parent)
    : QObject(parent), journal_(tRecibo, PostedDocument::ReciboCaja, QStringLiteral("RECA_ID")),
      PRecibo(QStringLiteral("PRecibo"), tRecibo, this), CRecibo(QStringLiteral("CRecibo"), this) {
    CRecibo.setProvider(&PRecibo);
}

} // namespace quelmaro
