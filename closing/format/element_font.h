#pragma once

#include "data/types/value.h"

namespace quelmaro {

class TReportCanvas;

// The font of a fixed text or datum: the element's own name when it has one, else the format's; the
// element's own size when it gives one, else the format's. The canvas keeps its previous font, name
// included, when the size chosen is missing or not above 0.
void selectElementFont(TReportCanvas& canvas, const Value& ownName, const Value& ownSize,
                       const Value& formatName, const Value& formatSize);

} // namespace quelmaro
