#pragma once

#include "closing/format/format_grid.h"

#include <QDate>
#include <QString>

#include <span>

namespace quelmaro {

class FormatRecords;
class RecordSet;
class TReportCanvas;
struct Datum;

// What the header data take from the main window: the report date (EFecIni) and the user (Tusua).
struct ReportHeaderInputs {
    QDate fecha;
    QString usuario;
};

// Draws the daily closing report on the canvas's current page and never starts another: the format's
// lines, boxes and images, its fixed texts over them, the header data once from the last report row, and
// the point-of-sale data of every report row, each point of sale FORM_ENTRELINEA grid units to the right
// of the one before, at the same heights.
class ClosingReportRenderer {
public:
    // `format` stands on the format to draw; `CImpfactura` holds the report rows with their calculated
    // fields and aggregates.
    ClosingReportRenderer(FormatRecords& format, RecordSet& CImpfactura);

    // factor_x and factor_y, set from the paper before each rendering.
    FormatGrid grid;
    // The 0-based position of the report row whose point-of-sale data are printing. The caller sets it to 0
    // before a rendering, which counts on from there and ends with it at the number of report rows.
    int indice_punto = 0;

    // With `liquida` false the elements and header data marked for the settlement are left out; with true
    // only they are drawn. Errors (rows not open, an image that is not a bitmap) end the drawing.
    // Leaves CImpfactura past its last row.
    void imprime_encabezado(TReportCanvas& canvas, bool liquida, const ReportHeaderInputs& inputs);

private:
    void drawShapes(TReportCanvas& canvas, bool liquida);
    void printFixedTexts(TReportCanvas& canvas, bool liquida);
    void printHeaderData(TReportCanvas& canvas, bool liquida, const ReportHeaderInputs& inputs);
    void printPointOfSaleData(TReportCanvas& canvas, const ReportHeaderInputs& inputs);
    // The current datum row of the format at (x, y), in its font, if the vocabulary knows its name.
    void printDatum(TReportCanvas& canvas, std::span<const Datum> vocabulary, double x, double y,
                    const ReportHeaderInputs& inputs);
    QString datumValue(const Datum& datum, const ReportHeaderInputs& inputs);
    void selectFont(TReportCanvas& canvas, RecordSet& element, const char* fontColumn,
                    const char* sizeColumn);

    FormatRecords& format_;
    RecordSet& CImpfactura_;
};

} // namespace quelmaro
