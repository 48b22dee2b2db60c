#include "transmission/steps/step_set.h"

namespace quelmaro {

StepSet::StepSet(fb::Connection& destination, QObject* parent)
    : QObject(parent), ventas(destination, this), recibos(destination), traslados(destination, this),
      egresos(destination, this), clientes(destination, this) {}

} // namespace quelmaro
