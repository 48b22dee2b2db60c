#pragma once

#include <QString>
#include <QStringList>

namespace quelmaro::shell {

// SERVIDORES.cfg: one server entry per line, in the system's code page, taken exactly as written.
// A CR always takes the byte after it (the LF of a CR LF pair), an empty line is an empty entry, and
// bytes after the last line end are not an entry. Lines of any length are taken whole.
QStringList parseServerList(const QByteArray& bytes);

// The entries of `<directory>/SERVIDORES.cfg`; an unreadable or missing file gives no entries.
QStringList readServerList(const QString& directory);

} // namespace quelmaro::shell
