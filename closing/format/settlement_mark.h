#pragma once

#include "data/types/value.h"

namespace quelmaro {

// A format serves two documents: the elements and data marked "S" belong to the settlement and are drawn
// only when `liquida` asks for it; all the others only when it does not.
inline bool passesSettlementMark(const Value& mark, bool liquida) {
    return (mark.toString() == QLatin1String("S")) == liquida;
}

} // namespace quelmaro
