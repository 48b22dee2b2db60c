#pragma once

#include <QString>

#include <functional>

namespace quelmaro {

class Run;

// Where a company database is and who opens it.
struct CompanyLogin {
    QString server;
    QString company;
    QString user;
    QString password;
    // Server entry, "/datos/", company, "/norvane.fdb", joined without separators.
    QString database() const;
};

// Opens the run's two connections: the origin (read-only) with `origin`, the shared connection re-pointed
// at `destination`, where it stays after the run, which gets the program's own tables when it lacks them.
// Shows each database on the progress line, resets the time mark, hands the destination user to `setUsuario`
// for the error log and reads the rounding exponent from the destination's configuration. A connection or a
// rounding setting that fails ends the run with its error.
void connectDatabases(Run& run, const CompanyLogin& origin, const CompanyLogin& destination,
                      const std::function<void(const QString&)>& setUsuario);

} // namespace quelmaro
