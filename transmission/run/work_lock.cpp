#include "transmission/run/work_lock.h"

#include "data/fb/connection.h"
#include "data/fb/error.h"
#include "data/fb/transaction.h"
#include "transmission/run/own_tables.h"

#include <stdexcept>

namespace quelmaro {

namespace {

constexpr int kAttempts = 3;

QString classOf(WorkLock::Work work) {
    return work == WorkLock::Work::PointOfSale ? QStringLiteral("P") : QStringLiteral("C");
}

} // namespace

WorkLock::WorkLock(fb::Connection& destination, Work work, const Value& point, const QDate& date,
                   const QString& description) {
    const QList<Value> key{classOf(work), point, date};
    for (int attempt = 1;; ++attempt) {
        holding_ = destination.startTransaction();
        try {
            // The row is locked, or made while held: a run that makes it too waits for this one to end,
            // when the row goes again with the rollback of the hold.
            holding_->execute(
                QStringLiteral(
                    "execute block (clase char(1) = ?, punto integer = ?, fecha date = ?) as begin "
                    "update %1 set enec_desde = current_timestamp where enec_clase = "
                    ":clase and ptvt_id = :punto and enec_fecha = :fecha; "
                    "if (row_count = 0) then insert into %1 (enec_clase, ptvt_id, "
                    "enec_fecha, enec_desde) values (:clase, :punto, :fecha, current_timestamp); end")
                    .arg(own_tables::kTurns),
                key);
            return;
        } catch (const fb::DatabaseError& error) {
            holding_.reset();
            if (!fb::isLockConflict(error.message()))
                throw;
            if (attempt == kAttempts)
                throw std::runtime_error(
                    (QStringLiteral("Otra ejecución está enviando ") + description +
                     QStringLiteral(" al mismo destino y no terminó mientras se esperaba; se deja para la "
                                    "próxima ejecución."))
                        .toStdString());
        }
    }
}

WorkLock::~WorkLock() = default;

} // namespace quelmaro
