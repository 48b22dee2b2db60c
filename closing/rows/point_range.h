#pragma once

#include <QString>

namespace quelmaro {

// The first and last point of sale as typed on the main window (Ptoini, Ptofin).
struct PointRangeText {
    QString ptoini;
    QString ptofin;
    bool operator==(const PointRangeText&) const = default;
};

// The range the closing report asks for: an empty first point becomes "0"; an empty last point, or one that
// sorts after "99999" as text, becomes "99999". The comparison is on text, so "100000" stays as it is.
PointRangeText completedPointRange(PointRangeText typed);

} // namespace quelmaro
