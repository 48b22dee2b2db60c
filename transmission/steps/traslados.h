#pragma once

#include "transmission/run/run_state.h"
#include "transmission/steps/copied_documents.h"

namespace quelmaro {

// The cash transfers the origin audited as inserted on the run date from the point's cash box, copied one
// by one into the destination and posted. A line paid otherwise than in cash (form 1) is copied only while
// its bank document is in the transfer's cash box in the destination.
class TrasladosStep : public QObject, public PointStep {
    Q_OBJECT
public:
    explicit TrasladosStep(fb::Connection& destination, QObject* parent = nullptr);

    void send(Run& run, const PointOfSale& point) override;

private:
    void copy(Run& run, const PointOfSale& point, const fb::QueryResult& transfers, const fb::Row& row);
    bool bankDocumentInBox(RecordSet& line, const Value& cajaId);

    fb::Connection& destination_;
    CopiedDocument CTraslades;
};

} // namespace quelmaro
