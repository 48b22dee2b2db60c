#include "data/dm/wait_settings.h"

#include "data/dm/long_text.h"

namespace quelmaro::dm {

namespace {

constexpr int kLongest = 86400;

struct Reading {
    int seconds;
    std::optional<QString> problem;
};

Reading read(const char* variable, int fallback) {
    const QString text = qEnvironmentVariable(variable).trimmed();
    if (text.isEmpty())
        return {fallback, std::nullopt};
    bool whole = false;
    const int seconds = text.toInt(&whole);
    if (whole && seconds >= 1 && seconds <= kLongest)
        return {seconds, std::nullopt};
    return {fallback, QStringLiteral("%1 debe ser un número entero de segundos de 1 a %2; se recibió «%3».")
                          .arg(QLatin1String(variable))
                          .arg(kLongest)
                          .arg(cutLongText(text))};
}

} // namespace

std::optional<QString> waitSettingsProblem() {
    const Reading lock = read("QUELMARO_LOCK_TIMEOUT", WaitSettings().lockTimeout);
    const Reading silence = read("QUELMARO_SILENCE_TIMEOUT", WaitSettings().silenceTimeout);
    if (lock.problem)
        return lock.problem;
    if (silence.problem)
        return silence.problem;
    if (silence.seconds <= lock.seconds)
        return QStringLiteral(
                   "QUELMARO_SILENCE_TIMEOUT (%1 s) debe ser mayor que QUELMARO_LOCK_TIMEOUT (%2 s): "
                   "esperar un registro bloqueado no es silencio del servidor.")
            .arg(silence.seconds)
            .arg(lock.seconds);
    return std::nullopt;
}

WaitSettings waitSettings() {
    const WaitSettings defaults;
    if (waitSettingsProblem())
        return defaults;
    return {read("QUELMARO_LOCK_TIMEOUT", defaults.lockTimeout).seconds,
            read("QUELMARO_SILENCE_TIMEOUT", defaults.silenceTimeout).seconds};
}

} // namespace quelmaro::dm
