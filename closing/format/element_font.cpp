#include "closing/format/element_font.h"

#include "report/report_canvas.h"

namespace quelmaro {

void selectElementFont(TReportCanvas& canvas, const Value& ownName, const Value& ownSize,
                       const Value& formatName, const Value& formatSize) {
    const QString name = ownName.toString().isEmpty() ? formatName.toString() : ownName.toString();
    const Value& size = ownSize.isNull() ? formatSize : ownSize;
    canvas.SelectFont(name, double(size.toInt()));
}

} // namespace quelmaro
