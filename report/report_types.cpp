#include "report/report_types.h"

namespace quelmaro {

double unitsPerInch(TReportUnits units) {
    switch (units) {
    case TReportUnits::unMM:
        return 25.4;
    case TReportUnits::unCM:
        return 2.54;
    case TReportUnits::unPoint:
        return 72.0;
    case TReportUnits::unInch:
    case TReportUnits::unUser:
        break;
    }
    return 1.0;
}

} // namespace quelmaro
