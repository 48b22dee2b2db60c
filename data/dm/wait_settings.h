#pragma once

#include <QString>

#include <optional>

namespace quelmaro::dm {

// How long the program waits on a database, as an installation sets it in the environment:
//   QUELMARO_LOCK_TIMEOUT     seconds a statement waits for a row another session holds (10 when unset);
//   QUELMARO_SILENCE_TIMEOUT  seconds a call waits for a server that does not answer at all (300 when unset).
// Each takes a whole number of seconds from 1 to 86400, and the silence must be longer than the lock wait,
// which is an answer the server gives late.
struct WaitSettings {
    int lockTimeout = 10;
    int silenceTimeout = 300;
};

// The settings, or what is wrong with them in Spanish (naming the variable and the values it takes).
std::optional<QString> waitSettingsProblem();
// The settings as given, a default for any that is unusable.
WaitSettings waitSettings();

} // namespace quelmaro::dm
