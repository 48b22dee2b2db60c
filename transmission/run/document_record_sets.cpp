#include "transmission/run/document_record_sets.h"

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

DocumentRecordSets::DocumentRecordSets(Query& tFactura, Query& tRecibo, QObject* parent)
    : QObject(parent), PFactura(*new Provider(QStringLiteral("PFactura"), tFactura, this)),
      CFactura(recordSetOver(PFactura, QStringLiteral("CFactura"), this)),
      PRecibo(*new Provider(QStringLiteral("PRecibo"), tRecibo, this)),
      CRecibo(recordSetOver(PRecibo, QStringLiteral("CRecibo"), this)) {}

} // namespace quelmaro
