#pragma once

#include <QObject>

namespace quelmaro {

class Provider;
class Query;
class RecordSet;

// The destination's receipt record set CRecibo, filled through the provider PRecibo from the data module's
// TRecibo (its line and payments become nested sets). It stays open for a whole date: the driver closes it
// at the end of each. Children of this object, so the owner's ConfigurarProviders reaches them.
class ReceiptRecordSet : public QObject {
    Q_OBJECT
public:
    ReceiptRecordSet(Query& tRecibo, QObject* parent);

    Provider& PRecibo;
    RecordSet& CRecibo;
};

} // namespace quelmaro
