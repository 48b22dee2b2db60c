#pragma once

#include "data/fb/connection.h"
#include "data/recordset/query.h"
#include "tests/support/temp_dir.h"

#include <QString>
#include <QStringList>

namespace quelmaro::test {

// Runs one of the schema's commands (create-company.sh, make-demo.sh) with these arguments; throws
// std::runtime_error with what it printed when it fails.
void runSchemaCommand(const QString& command, const QStringList& arguments);

// A company database made by the schema's own commands in a temporary folder (tables, masters, the
// closing-report format 131 "CIE"), open on the embedded engine, with the data module's table of print
// formats and its two details over it.
class CompanyDatabase {
    TempDir dir_; // declared first: outlives the connection, which outlives the queries
    QString path_;
    fb::Connection connection_;

public:
    // A company without business.
    CompanyDatabase();
    // The demo's branch company "01", with the business make-demo.sh makes with these options.
    explicit CompanyDatabase(const QStringList& demoOptions);

    QString path() const { return path_; }
    fb::Connection& connection() { return connection_; }

    Query Tformatos{QStringLiteral("Tformatos"), connection_};
    Query Tformadatos{QStringLiteral("Tformadatos"), connection_};
    Query Tformalineas{QStringLiteral("Tformalineas"), connection_};

private:
    void open();
};

} // namespace quelmaro::test
