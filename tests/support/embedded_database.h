#pragma once

#include "data/fb/connection.h"
#include "tests/support/temp_dir.h"

namespace quelmaro::test {

// A new, empty database file opened in-process by the embedded engine, deleted with its folder afterwards.
// Other connections in the same test may open path() as well; another process may not while it is open.
class EmbeddedDatabase {
public:
    explicit EmbeddedDatabase(const QString& fileName = QStringLiteral("norvane.fdb"));

    QString path() const { return path_; }
    fb::Connection& connection() { return connection_; }

private:
    TempDir dir_; // declared first so it outlives the connection
    QString path_;
    fb::Connection connection_;
};

} // namespace quelmaro::test
