#pragma once

#include "data/fb/connection.h"
#include "data/recordset/provider.h"
#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "transmission/run/run_state.h"

#include <QObject>

namespace quelmaro {

// The third parties and customers the origin audited on the run date, each inserted into the destination or
// written over the one with the same tax id. Third parties go first, so their customers find them.
class ClientesStep : public QObject, public DateStep {
    Q_OBJECT
public:
    explicit ClientesStep(fb::Connection& destination, QObject* parent = nullptr);
    ~ClientesStep() override;

    void send(Run& run) override;

private:
    void copyAll(Run& run, const QString& originStatement, RecordSet& target);
    // True when the record was written.
    bool copy(const fb::Row& row, RecordSet& target);

    Query TTercero_;
    Query TClientes_;
    Provider PTerceros_;
    Provider PClientes_;
    RecordSet CTerceros_;
    RecordSet CClientes_;
};

} // namespace quelmaro
