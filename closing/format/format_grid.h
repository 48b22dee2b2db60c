#pragma once

#include "data/types/fixed.h"

namespace quelmaro {

// A stored format places everything on a grid of 1500 units across the full sheet and 2000 down. The
// factors are kept to four decimals, as the formats were laid out with them: on an 8.5-inch sheet
// factor_x is 0.0057, so 1500 units reach 8.55 inches.
struct FormatGrid {
    static constexpr int kUnitsAcross = 1500;
    static constexpr int kUnitsDown = 2000;

    Fixed factor_x;
    Fixed factor_y;

    // The factors for a sheet of this size in report units, each rounded to four decimals, halves to even.
    static FormatGrid forPaper(double paperWidth, double paperHeight);

    // Grid units to report units.
    double x(double units) const { return units * factor_x.toDouble(); }
    double y(double units) const { return units * factor_y.toDouble(); }
};

} // namespace quelmaro
