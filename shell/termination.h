#pragma once

namespace quelmaro::shell {

// Once the Firebird client is in use it takes over SIGINT and SIGTERM to shut its engine down, and the
// process then goes on without a database (or waits for ever) instead of ending. This makes such a signal end
// the program at once, as it ends any program: whatever was committed is in the database, the rest is rolled
// back. Call it before the first database access; Firebird hands the signals on to handlers found in place.
void endOnTerminationSignals();

} // namespace quelmaro::shell
