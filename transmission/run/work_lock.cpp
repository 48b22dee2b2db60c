#include "transmission/run/work_lock.h"

#include "data/fb/connection.h"
#include "data/fb/error.h"
#include "data/fb/transaction.h"

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
    // The row is there for good once any run has needed it; two runs making it at once make it once.
    destination.execute(
        QStringLiteral("execute block (clase char(1) = ?, punto integer = ?, fecha date = ?) as begin "
                       "if (not exists (select 1 from envios_en_curso where enec_clase = :clase and "
                       "ptvt_id = :punto and enec_fecha = :fecha)) then "
                       "insert into envios_en_curso (enec_clase, ptvt_id, enec_fecha) "
                       "values (:clase, :punto, :fecha); "
                       "when gdscode unique_key_violation do begin end end"),
        key);
    for (int attempt = 1;; ++attempt) {
        holding_ = destination.startTransaction();
        try {
            holding_->execute(QStringLiteral("update envios_en_curso set enec_desde = current_timestamp "
                                             "where enec_clase = ? and ptvt_id = ? and enec_fecha = ?"),
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
