#include "closing/format/datum_output.h"

#include "data/dm/formats.h"
#include "report/report_canvas.h"

namespace quelmaro {

namespace {

constexpr int kDefaultDecimals = 2;

} // namespace

QString datumText(const QString& text, const Value& first, const Value& length) {
    const std::int64_t count = length.isNull() ? 0 : length.toInt();
    if (count <= 0)
        return QString();
    const std::int64_t start = first.isNull() ? 1 : std::max<std::int64_t>(first.toInt(), 1);
    if (start > text.size())
        return QString();
    return text.mid(qsizetype(start - 1), qsizetype(std::min<std::int64_t>(count, text.size())));
}

QString datumNumber(const QString& value, const QString& decimals) {
    bool isInteger = false;
    int places = decimals.toInt(&isInteger);
    if (!isInteger)
        places = kDefaultDecimals;
    return formats::number(Fixed::parse(value.isEmpty() ? QStringLiteral("0") : value), places);
}

void imprima_cadena(TReportCanvas& canvas, const QString& text, double x, double y, const Value& first,
                    const Value& length) {
    canvas.PrintAt(x, y, datumText(text, first, length));
}

void imprima_numero(TReportCanvas& canvas, const QString& value, double x, double y,
                    const QString& decimals) {
    const QString text = datumNumber(value, decimals);
    canvas.MoveToPosition(x, y);
    canvas.PrintRightAt(text, x);
}

} // namespace quelmaro
