#pragma once

#include <QObject>

namespace quelmaro {

class Provider;
class Query;
class RecordSet;

// The destination's invoice and receipt record sets that stay open for a whole date, filled through the
// providers PFactura and PRecibo from the data module's TFactura and TRecibo (their lines and payments
// become nested sets). Children of this object, so the owner's ConfigurarProviders reaches them.
class DocumentRecordSets : public QObject {
    Q_OBJECT
public:
    DocumentRecordSets(Query& tFactura, Query& tRecibo, QObject* parent);

    Provider& PFactura;
    RecordSet& CFactura;
    Provider& PRecibo;
    RecordSet& CRecibo;
};

} // namespace quelmaro
