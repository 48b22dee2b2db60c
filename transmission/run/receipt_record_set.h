#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/recordset.h"
#include "transmission/posting/posting_journal.h"

#include <QObject>

namespace quelmaro {

class Query;

// The destination's receipt record set CRecibo, filled through the provider PRecibo from the data module's
// TRecibo (its line and payments become nested sets, and so does its row of the posting journal while this
// object lives). It stays open for a whole date: the driver closes it at the end of each. Children of this
// object, so the owner's ConfigurarProviders reaches them.
class ReceiptRecordSet : public QObject {
    Q_OBJECT
public:
    ReceiptRecordSet(Query& tRecibo, QObject* parent);

private:
    PostingJournal journal_; // nested before CRecibo takes its nested sets, and gone after it

public:
    Provider PRecibo;
    RecordSet CRecibo;
};

} // namespace quelmaro
