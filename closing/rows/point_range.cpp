#include "closing/rows/point_range.h"

namespace quelmaro {

PointRangeText completedPointRange(PointRangeText typed) {
    static const QString kHighest = QStringLiteral("99999");
    if (typed.ptoini.isEmpty())
        typed.ptoini = QStringLiteral("0");
    if (typed.ptofin.isEmpty() || QString::compare(typed.ptofin, kHighest, Qt::CaseSensitive) > 0)
        typed.ptofin = kHighest;
    return typed;
}

} // namespace quelmaro
