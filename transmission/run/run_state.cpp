#include "transmission/run/run_state.h"

#include "data/types/datetime.h"

#include <stdexcept>

namespace quelmaro {

Run::Run(fb::Connection& origin, fb::Connection& destination, const RunSettings& settings, Progress& progress,
         ConfigurationLookup configuracion, RecordSetConfigurer configurarProviders)
    : origin_(origin), destination_(destination), settings_(settings), progress_(progress),
      configuracion_(std::move(configuracion)), configurarProviders_(std::move(configurarProviders)) {}

QString Run::dateText() const {
    return datetime::formatDate(date_);
}

RecordSet& Run::CFactura() const {
    if (!factura_)
        throw std::logic_error("The run has no invoice record set");
    return *factura_;
}

RecordSet& Run::CRecibo() const {
    if (!recibo_)
        throw std::logic_error("The run has no receipt record set");
    return *recibo_;
}

void Run::setDocumentRecordSets(RecordSet& factura, RecordSet& recibo) {
    factura_ = &factura;
    recibo_ = &recibo;
}

QString Run::configuracion(const QString& module, const QString& category, const QString& property) const {
    return configuracion_(module, category, property);
}

void Run::configurarProviders(QObject& owner) const {
    configurarProviders_(owner);
}

} // namespace quelmaro
