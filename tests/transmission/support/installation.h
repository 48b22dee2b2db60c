#pragma once

#include "tests/support/temp_dir.h"

#include <QStringList>

namespace quelmaro::test {

// The suite's installation as the program finds it: the registry entry (an INI file under XDG_CONFIG_DIRS,
// set for this process and the programs it starts) pointing at a folder with SERVIDORES.cfg, where
// ERRORES.TXT is written. Make it before the program's first settings lookup.
class Installation {
public:
    explicit Installation(const QStringList& servers);
    QString directory() const { return dir_.filePath(QStringLiteral("suite")); }
    QString configFolder() const { return dir_.filePath(QStringLiteral("xdg")); }
    // The lines of ERRORES.TXT, empty when there is none.
    QStringList errorLog() const;

private:
    TempDir dir_;
};

} // namespace quelmaro::test
