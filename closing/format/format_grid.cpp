#include "closing/format/format_grid.h"

namespace quelmaro {

FormatGrid FormatGrid::forPaper(double paperWidth, double paperHeight) {
    FormatGrid grid;
    grid.factor_y = Fixed::fromDouble(paperHeight / kUnitsDown);
    grid.factor_x = Fixed::fromDouble(paperWidth / kUnitsAcross);
    return grid;
}

} // namespace quelmaro
