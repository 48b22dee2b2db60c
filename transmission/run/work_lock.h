#pragma once

#include "data/types/value.h"

#include <QDate>

#include <memory>

namespace quelmaro::fb {
class Connection;
class Transaction;
} // namespace quelmaro::fb

namespace quelmaro {

// Holds, in the destination, one piece of a run's work against every other run that would do the same: the
// documents of a point of sale on a day, or the customers of a day. Runs that overlap on it take turns, so
// what one has written is what the next one sees when it looks; runs of other points go on side by side.
// The hold is a row lock of a transaction of its own, released when the object goes (or with the attachment
// when the program dies), so nothing is ever left locked.
class WorkLock {
public:
    enum class Work { PointOfSale, Customers };

    // Waits for the work while another run holds it: the destination's lock timeout, a few times over. Then
    // fails with a Spanish message naming the work.
    WorkLock(fb::Connection& destination, Work work, const Value& point, const QDate& date,
             const QString& description);
    ~WorkLock();
    WorkLock(const WorkLock&) = delete;
    WorkLock& operator=(const WorkLock&) = delete;

private:
    std::unique_ptr<fb::Transaction> holding_;
};

} // namespace quelmaro
