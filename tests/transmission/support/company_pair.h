#pragma once

#include "data/fb/connection.h"

#include <QDate>
#include <QString>

#include <memory>

namespace quelmaro::test {

// The demo branch company "01" (origin, with three days of business) and the empty central company "00"
// (destination), copied for one test from the pair made once per test run, and served by the Firebird server
// on localhost so that the run really holds two connections. Both are removed afterwards; close the test's
// own connections first.
class CompanyPair {
public:
    CompanyPair();
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

    static const QString kOrigin;  // "01"
    static const QString kCentral; // "00"
    // The days of business: 2024/03/01 to 2024/03/03; points 1 and 3 in branch 1, 2 and 4 in branch 2.
    static const QDate kFirstDay;
    static const QDate kLastDay;

private:
    QString root_;
};

} // namespace quelmaro::test
