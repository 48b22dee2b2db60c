#pragma once

#include "closing/render/closing_renderer.h"

#include <QString>

namespace quelmaro {

class FormatRecords;
class RecordSet;

// Milliseconds per page of the closing report, averaged over the repetitions.
struct RenderTiming {
    double pageStore = 0; // drawing the page into an in-memory page store
    double pdf = 0;       // turning that page store into a PDF file
};

// Renders the closing report of the rows in `CImpfactura` with the format `format` stands on, on letter
// paper without a printer, `repetitions` times each way; the PDF goes to `pdfFile`.
RenderTiming timeRendering(FormatRecords& format, RecordSet& CImpfactura, const ReportHeaderInputs& inputs,
                           int repetitions, const QString& pdfFile);

} // namespace quelmaro
