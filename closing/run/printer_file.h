#pragma once

#include <QString>

namespace quelmaro {

// The printer that impresoras.cfg, in the application directory, assigns to a print format's printer key.
// Each line is the key, a comma and the printer name; the first line holding the key and a comma gives the
// rest of that line after them, blanks included, when that rest is not empty. The key may stand anywhere in
// a line: for CAJA, "SUBCAJA,Epson" gives Epson too. A file that cannot be opened shows "Error abriendo el
// archivo" followed by its path. Empty when no line gives a name.
QString nombre_impresora(const QString& directory, const QString& key);

} // namespace quelmaro
