#pragma once

#include <QString>

class QLabel;

namespace quelmaro::platform {

// Shows `text` in a word-wrapped label whole where it can: a word wider than the label (a database path)
// loses its middle to "…", so that both its ends stay in view.
void setWrappedCaption(QLabel& label, const QString& text);

} // namespace quelmaro::platform
