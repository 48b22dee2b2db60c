#pragma once

#include <QFont>
#include <QString>

namespace quelmaro {

// The font a report asks for by name and size in points. Windows font names map to their metric-compatible
// Liberation fonts elsewhere, so texts keep the widths the layout was made for.
QFont reportFont(const QString& name, double pointSize);

} // namespace quelmaro
