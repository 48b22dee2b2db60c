#pragma once

#include "transmission/run/run_state.h"

#include <QDate>
#include <QList>
#include <QString>

namespace quelmaro {

// The kinds of document a run can send, in the order the window's check boxes list them.
enum class StepKind { Ventas, Recibos, Clientes, Traslados, Egresos };

// What the operator has checked. Asked again for every point of sale, so a box changed while a run is
// going (from a message box, say) takes effect at the next point.
class StepChoice {
public:
    virtual ~StepChoice() = default;
    virtual bool isChecked(StepKind step) const = 0;
};

// The main window's range of points of sale. The run writes the defaults back into empty fields.
class PointRange {
public:
    virtual ~PointRange() = default;
    virtual QString first() const = 0;
    virtual QString last() const = 0;
    virtual void setFirst(const QString& text) = 0;
    virtual void setLast(const QString& text) = 0;
};

// The steps a run calls; they live as long as the window that owns them.
struct Steps {
    PointStep& ventas;
    PointStep& recibos;
    PointStep& traslados;
    PointStep& egresos;
    DateStep& clientes;
};

// What the run driver sends: every date from `from` to `to`, for the points of sale of `agencia` ("0" for
// all branches) within the range.
struct RunPeriod {
    QDate from;
    QDate to;
    QString agencia;
};

// The active points of sale of the origin within the range, in PTVT_ID order. The range and the branch
// are bound as whole numbers: a text that is not one fails with ConversionError before anything is read; a
// branch the origin has no row of in SUCURSALES fails with a message naming it.
QList<PointOfSale> selectPoints(Run& run, const QString& first, const QString& last, const QString& agencia);

// Walks the dates and, for each, the points of sale, running the checked steps in their order, then the
// customers of the date. A stranded invoice (key 0) in the destination skips the points of that date.
// Each point of a date is sent while the run holds it against other runs (see WorkLock), after finishing the
// postings an earlier run left undone for it. An error in a point or in the customers is reported and fails
// that piece only; a lost connection ends the run. The run's report says what was sent and what failed.
void runDates(Run& run, const RunPeriod& period, PointRange& range, const StepChoice& choice,
              const Steps& steps);

} // namespace quelmaro
