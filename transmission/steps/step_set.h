#pragma once

#include "transmission/run/driver.h"
#include "transmission/steps/clientes.h"
#include "transmission/steps/egresos.h"
#include "transmission/steps/recibos.h"
#include "transmission/steps/traslados.h"
#include "transmission/steps/ventas.h"

#include <QObject>

namespace quelmaro {

// Every step of a run, with the destination record sets they keep. Give it the window as parent: the data
// module's ConfigurarProviders then reaches all its providers and record sets. The destination is the data
// module's shared connection, which a run points at the central company before any step runs.
class StepSet : public QObject {
    Q_OBJECT
public:
    explicit StepSet(fb::Connection& destination, QObject* parent = nullptr);

    Steps steps() { return Steps{ventas, recibos, traslados, egresos, clientes}; }

    VentasStep ventas;
    RecibosStep recibos;
    TrasladosStep traslados;
    EgresosStep egresos;
    ClientesStep clientes;
};

} // namespace quelmaro
