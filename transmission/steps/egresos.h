#pragma once

#include "transmission/run/run_state.h"
#include "transmission/steps/copied_documents.h"

namespace quelmaro {

// The cash disbursements the origin audited as inserted on the run date with a payment row on the point's
// cash box, copied one by one into the destination with their document rows and payment rows. They are not
// posted.
class EgresosStep : public QObject, public PointStep {
    Q_OBJECT
public:
    explicit EgresosStep(fb::Connection& destination, QObject* parent = nullptr);

    void send(Run& run, const PointOfSale& point) override;

private:
    void copy(Run& run, const fb::QueryResult& disbursements, const fb::Row& row);

    CopiedDocument CEgredes;
};

} // namespace quelmaro
