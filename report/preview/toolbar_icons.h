#pragma once

#include <QIcon>

namespace quelmaro {

// Toolbar images the platform's style does not offer.
QIcon printIcon();
QIcon zoomIcon(bool zoomIn);

} // namespace quelmaro
