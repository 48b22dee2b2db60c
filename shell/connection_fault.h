#pragma once

#include <QString>

namespace quelmaro::shell {

// The field of group "Origen:" an operator most likely has to correct after a connection failed.
enum class OriginField { Servidor, TClave, Cia };

// By the database client's text of the failure: a refused login points at the password, a server that
// cannot be reached (or none chosen) at the server, and a database that is not there at the company.
OriginField fieldAtFault(const QString& error, const QString& server);

} // namespace quelmaro::shell
