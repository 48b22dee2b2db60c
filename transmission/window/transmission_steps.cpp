#include "transmission/window/transmission_steps.h"

#include "data/dm/dm.h"

namespace quelmaro {

TransmissionSteps::TransmissionSteps(QObject& window, Run& run)
    : set(run.destination(), &window), receipts(fdm->TRecibo, &window) {
    run.setDocumentRecordSets(set.ventas.CFactura(), receipts.CRecibo);
}

} // namespace quelmaro
