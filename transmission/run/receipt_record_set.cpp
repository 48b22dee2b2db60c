#include "transmission/run/receipt_record_set.h"

#include "data/recordset/provider.h"
#include "data/recordset/recordset.h"

namespace quelmaro {

namespace {

RecordSet& recordSetOver(Provider& provider, const QString& name, QObject* parent) {
    auto* set = new RecordSet(name, parent);
    set->setProvider(&provider);
    return *set;
}

} // namespace

ReceiptRecordSet::ReceiptRecordSet(Query& tRecibo, QObject* parent)
    : QObject(parent), PRecibo(*new Provider(QStringLiteral("PRecibo"), tRecibo, this)),
      CRecibo(recordSetOver(PRecibo, QStringLiteral("CRecibo"), this)) {}

} // namespace quelmaro
