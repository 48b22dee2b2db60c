#pragma once

#include "data/fb/connection.h"

#include <QDate>
#include <QString>

#include <memory>
#include <ostream>

namespace quelmaro::test {

// What the central company is: the demo's, one a chain may have (the suite's contract only: none of the
// program's tables, a ledger of other names whose posting procedures append a posting at every call), or
// the demo's as an earlier version of the program left it (its turns table, without the posting journal).
enum class Central { Demo, Contract, Upgraded };
void PrintTo(Central central, std::ostream* out); // names it in test lists

// The demo branch company "01" (origin, with three days of business) and the empty central company "00"
// (destination), copied for one test from the pair made once per test run, and served by the Firebird server
// on localhost so that the run really holds two connections. Both are removed afterwards; close the test's
// own connections first.
class CompanyPair {
public:
    explicit CompanyPair(Central central = Central::Demo);
    ~CompanyPair();
    CompanyPair(const CompanyPair&) = delete;
    CompanyPair& operator=(const CompanyPair&) = delete;

    // The server entry of both companies, as SERVIDORES.cfg would list it: "localhost:<folder>".
    QString server() const { return QStringLiteral("localhost:") + root_; }
    QString database(const QString& company) const; // server() + "/datos/<company>/norvane.fdb"
    QString user() const;
    QString password() const;

    // Puts a file with `content` where the database of `company` would be, for the server to find.
    void writeInsteadOfDatabase(const QString& company, const QByteArray& content) const;

    // A connection of the test's own, to read back or to prepare a case.
    std::unique_ptr<fb::Connection> open(const QString& company) const;

    // The central's ledger table, and a statement giving for each invoice, receipt and transfer of the
    // central: its type, key, postings to the first ledger, postings to the second, postings not handed over.
    QString ledgerTable() const;
    QString postingsByDocument() const;

    static const QString kOrigin;  // "01"
    static const QString kCentral; // "00"
    // The days of business: 2024/03/01 to 2024/03/03; points 1 and 3 in branch 1, 2 and 4 in branch 2.
    static const QDate kFirstDay;
    static const QDate kLastDay;

private:
    Central central_;
    QString root_;
};

} // namespace quelmaro::test
