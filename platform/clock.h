#pragma once

#include <QDate>
#include <QDateTime>

namespace quelmaro::platform {

// Today's date and the current local time, as the whole program reads them.
QDate today();
QDateTime now();

// Stops the clock at `when` for the lifetime of this object, then restores the previous clock (running, or
// the time fixed by an outer FixedClock).
class FixedClock {
public:
    explicit FixedClock(const QDateTime& when);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

private:
    QDateTime previous_;
};

} // namespace quelmaro::platform
