#include "closing/render/closing_renderer.h"

#include "closing/format/datum_output.h"
#include "closing/format/element_font.h"
#include "closing/format/format_image.h"
#include "closing/format/format_records.h"
#include "closing/format/settlement_mark.h"
#include "closing/render/datum_vocabulary.h"
#include "data/dm/formats.h"
#include "data/recordset/error.h"
#include "data/recordset/recordset.h"
#include "platform/clock.h"
#include "report/report_canvas.h"

namespace quelmaro {

namespace {

bool isNumber(DatumSource source) {
    return source == DatumSource::Field || source == DatumSource::Aggregate;
}

QString text(RecordSet& set, const char* column) {
    return set.value(QLatin1String(column)).toString();
}

double number(RecordSet& set, const char* column) {
    return double(set.value(QLatin1String(column)).toInt());
}

// "dddd, mmmm d, yyyy" with the system's day and month names: "viernes, marzo 15, 2024".
QString reportDateInWords(const QDate& date) {
    return date.isValid()
               ? formats::formatDateTime(QStringLiteral("dddd, mmmm d, yyyy"), QDateTime(date, QTime(0, 0)))
               : QString();
}

} // namespace

ClosingReportRenderer::ClosingReportRenderer(FormatRecords& format, RecordSet& CImpfactura)
    : format_(format), CImpfactura_(CImpfactura) {}

void ClosingReportRenderer::imprime_encabezado(TReportCanvas& canvas, bool liquida,
                                               const ReportHeaderInputs& inputs) {
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    drawShapes(canvas, liquida);
    // Texts come in a second pass so that no box drawn after them can cover them.
    printFixedTexts(canvas, liquida);
    printHeaderData(canvas, liquida, inputs);
    printPointOfSaleData(canvas, inputs);
}

void ClosingReportRenderer::drawShapes(TReportCanvas& canvas, bool liquida) {
    RecordSet& elements = format_.CFormlineas;
    for (elements.first(); !elements.eof(); elements.next()) {
        if (!passesSettlementMark(elements.value(QStringLiteral("FOLI_LIQUIDA")), liquida))
            continue;
        const double x = grid.x(number(elements, "FOLI_POSX"));
        const double y = grid.y(number(elements, "FOLI_POSY"));
        const double dx = grid.x(number(elements, "FOLI_X"));
        const double dy = grid.y(number(elements, "FOLI_Y"));
        const QString kind = text(elements, "FOLI_TIPO");
        if (kind == QLatin1String("L")) {
            canvas.MovePen(x, y);
            canvas.LineTo(x + dx, y + dy);
        } else if (kind == QLatin1String("C")) {
            canvas.Rectangle(x, y, x + dx, y + dy);
        } else if (kind == QLatin1String("G")) {
            const QImage bitmap = loadFormatImage(elements.value(QStringLiteral("FOLI_IMAGEN")).toBytes());
            if (!bitmap.isNull())
                canvas.DrawBitmap(x, y, 1.0, 1.0, bitmap);
        }
    }
}

void ClosingReportRenderer::printFixedTexts(TReportCanvas& canvas, bool liquida) {
    RecordSet& elements = format_.CFormlineas;
    for (elements.first(); !elements.eof(); elements.next()) {
        if (!passesSettlementMark(elements.value(QStringLiteral("FOLI_LIQUIDA")), liquida) ||
            text(elements, "FOLI_TIPO") != QLatin1String("T"))
            continue;
        selectFont(canvas, elements, "FOLI_FONT", "FOLI_FSIZE");
        canvas.PrintAt(grid.x(number(elements, "FOLI_POSX")), grid.y(number(elements, "FOLI_POSY")),
                       text(elements, "FOLI_CADENA"));
    }
}

void ClosingReportRenderer::printHeaderData(TReportCanvas& canvas, bool liquida,
                                            const ReportHeaderInputs& inputs) {
    // Rows whose query failed must not go out as a report of zeros.
    if (!CImpfactura_.isOpen())
        throw RecordSetError(
            QStringLiteral("No se pudieron leer las ventas del día: no hay cierre que imprimir."));
    CImpfactura_.last();
    RecordSet& data = format_.CFormdatos;
    for (data.first(); !data.eof(); data.next()) {
        if (text(data, "DAFO_IMPRIME") != QLatin1String("S") ||
            text(data, "DAFO_REPITE") != QLatin1String("N") ||
            !passesSettlementMark(data.value(QStringLiteral("DAFO_LIQUIDA")), liquida))
            continue;
        printDatum(canvas, headerVocabulary(), grid.x(number(data, "DAFO_POSX")),
                   grid.y(number(data, "DAFO_POSY")), inputs);
    }
}

void ClosingReportRenderer::printPointOfSaleData(TReportCanvas& canvas, const ReportHeaderInputs& inputs) {
    RecordSet& data = format_.CFormdatos;
    const double columnStep = number(format_.CFormato, "FORM_ENTRELINEA");
    for (CImpfactura_.first(); !CImpfactura_.eof(); CImpfactura_.next(), ++indice_punto) {
        for (data.first(); !data.eof(); data.next()) {
            // A settlement datum has no place in a point of sale's column, settlement or not.
            if (text(data, "DAFO_IMPRIME") != QLatin1String("S") ||
                text(data, "DAFO_REPITE") != QLatin1String("S") ||
                text(data, "DAFO_LIQUIDA") == QLatin1String("S"))
                continue;
            const double x = grid.x(number(data, "DAFO_POSX")) + grid.x(columnStep * indice_punto);
            printDatum(canvas, pointOfSaleVocabulary(), x, grid.y(number(data, "DAFO_POSY")), inputs);
        }
    }
}

void ClosingReportRenderer::printDatum(TReportCanvas& canvas, std::span<const Datum> vocabulary, double x,
                                       double y, const ReportHeaderInputs& inputs) {
    RecordSet& data = format_.CFormdatos;
    // The font changes even for a name that prints nothing, and stays for the data after it.
    selectFont(canvas, data, "DAFO_FONT", "DAFO_FSIZE");
    const Datum* datum = findDatum(vocabulary, text(data, "DAFO_DATO"));
    if (!datum)
        return;
    const QString value = datumValue(*datum, inputs);
    if (isNumber(datum->source))
        imprima_numero(canvas, value, x, y, text(data, "DAFO_FORMATO"));
    else
        imprima_cadena(canvas, value, x, y, data.value(QStringLiteral("DAFO_INI")),
                       data.value(QStringLiteral("DAFO_LONG")));
}

QString ClosingReportRenderer::datumValue(const Datum& datum, const ReportHeaderInputs& inputs) {
    switch (datum.source) {
    case DatumSource::Field:
    case DatumSource::TextField:
        return text(CImpfactura_, datum.field);
    case DatumSource::Aggregate:
        return CImpfactura_.aggregate(QLatin1String(datum.field)).toString();
    case DatumSource::ReportDate:
        return formats::shortDate(inputs.fecha);
    case DatumSource::ReportDateInWords:
        return reportDateInWords(inputs.fecha);
    case DatumSource::UserName:
        return inputs.usuario;
    case DatumSource::PrintTime:
        return formats::longTime(platform::now().time());
    }
    return QString();
}

void ClosingReportRenderer::selectFont(TReportCanvas& canvas, RecordSet& element, const char* fontColumn,
                                       const char* sizeColumn) {
    RecordSet& formato = format_.CFormato;
    selectElementFont(canvas, element.value(QLatin1String(fontColumn)),
                      element.value(QLatin1String(sizeColumn)), formato.value(QStringLiteral("FORM_FONT")),
                      formato.value(QStringLiteral("FORM_FSIZE")));
}

} // namespace quelmaro
