#pragma once

#include "report/page_store.h"

class QPainter;

namespace quelmaro {

// Draws one stored page with a painter whose origin is the paper's top-left corner and whose device has
// the given resolution in dots per inch; fonts follow the device's own resolution.
void paintPage(QPainter& painter, const Page& page, double dotsPerInchX, double dotsPerInchY);

} // namespace quelmaro
