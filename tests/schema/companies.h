#pragma once

#include "data/fb/connection.h"
#include "tests/support/temp_dir.h"

#include <QDate>
#include <QStringList>

#include <memory>

namespace quelmaro::test {

// Company databases made by the schema's own scripts under a temporary root, removed afterwards.
class CompanyRoot {
public:
    QString root() const { return dir_.path(); }
    QString database(const QString& company) const; // <root>/datos/<company>/norvane.fdb

    // create-company.sh; returns the database path.
    QString createCompany(const QString& company, const QStringList& options = {});
    // make-demo.sh with origin "01" and central "00".
    void makeDemo(const QStringList& options);

private:
    TempDir dir_;
};

// Runs a script of the schema folder with bash; throws std::runtime_error with its output when it fails.
QString runSchemaScript(const QString& script, const QStringList& arguments);

// An open embedded connection to a database file.
std::unique_ptr<fb::Connection> openDatabase(const QString& path);

// The demo the tests read: two branches, points 1 and 3 in the first and 2 in the second, six days of
// business from 2024/02/27 to 2024/03/03 (across a month end), origin company "01" and central "00".
// It is made once (see prepare) and every test process works on copies of it.
namespace demo {
inline const QDate kFirstDay{2024, 2, 27};
inline const QDate kLastDay{2024, 3, 3};

// Makes the demo under `root`, replacing what was there.
void prepare(const QString& root);
// The copy this process reads; made from $QUELMARO_SCHEMA_DEMO when set, else by the scripts.
const CompanyRoot& shared();
QString origin();
QString central();
// A copy of its own for a test that writes.
void copyInto(const CompanyRoot& root);
} // namespace demo

} // namespace quelmaro::test
