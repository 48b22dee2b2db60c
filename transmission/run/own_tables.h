#pragma once

#include <QString>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro {

class RunReport;

// The tables the transmission keeps for itself in the central company, the only ones it uses there beyond
// the suite's own. They are made by one script, which the program carries and runs where they are missing.
namespace own_tables {
// The turns of the runs that send to the company: one row per point of sale and day, or day's customers.
inline const QString kTurns = QStringLiteral("ENVIOS_EN_CURSO");
// The documents written whose postings have not run yet.
inline const QString kPendingPostings = QStringLiteral("CONTABILIZACIONES_PENDIENTES");
// The script that makes both, as the sources and the installed package name it.
inline const QString kScript = QStringLiteral("89-transmission-tables.sql");
} // namespace own_tables

// Makes the program's tables in `destination` (the central company `company`) where they are missing, with
// the grants every transmitting user needs; a run that finds another making them at the same moment goes on
// with theirs. When the user may not create tables, the run is refused (exit 2) with a message that names
// the company, the missing tables and the script to run.
void ensureOwnTables(fb::Connection& destination, const QString& company, RunReport& report);

} // namespace quelmaro
