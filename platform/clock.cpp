#include "platform/clock.h"

namespace quelmaro::platform {

namespace {

QDateTime fixedTime; // invalid while the clock runs

} // namespace

QDateTime now() {
    return fixedTime.isValid() ? fixedTime : QDateTime::currentDateTime();
}

QDate today() {
    return now().date();
}

FixedClock::FixedClock(const QDateTime& when) : previous_(fixedTime) {
    fixedTime = when;
}

FixedClock::~FixedClock() {
    fixedTime = previous_;
}

} // namespace quelmaro::platform
