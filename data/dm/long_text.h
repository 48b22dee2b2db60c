#pragma once

#include <QString>

namespace quelmaro::dm {

// A message fit to show and to log whatever it quotes: every stretch without spaces (a path, a server entry,
// a date typed on the command line) longer than 200 characters keeps its first 200 followed by "…", and the
// whole message keeps its first 2000. Shorter texts come back unchanged.
QString cutLongText(const QString& text);

} // namespace quelmaro::dm
