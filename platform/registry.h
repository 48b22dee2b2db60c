#pragma once

#include <QString>

#include <optional>

namespace quelmaro::platform {

// The suite's installation directory: value "Directorio" of the key
// HKEY_LOCAL_MACHINE\Software\Qor\Norvaneerp2019 on Windows (the 32-bit view, where the suite keeps it).
// Elsewhere the key is the INI file Qor/Norvaneerp2019.ini of the system settings folder (the first folder of
// XDG_CONFIG_DIRS, /etc/xdg when unset) and the value its key Directorio under [General], in Qt's INI syntax.
// Read only: nothing is ever created or written.
//
// Returns nullopt when the key itself is missing (no such key, no such file, or it cannot be read); the
// caller reports that. A missing or empty value gives an empty text. The text ends at its first NUL.
// Throws PlatformError when the value is not a single text (a number, or an unquoted list in the INI file).
std::optional<QString> readApplicationDirectory();

// The file that stands for the key where there is no registry, for messages about a missing key; empty on
// Windows, where the key's own name says it all.
QString applicationDirectoryFile();

} // namespace quelmaro::platform
