#pragma once

#include "data/fb/connection.h"
#include "data/types/fixed.h"

#include <QDate>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

namespace quelmaro::test {

// Documents written into a company as its own programs write them, inside one transaction whose audit trail
// carries the given business date and time.
class Business {
public:
    Business(fb::Connection& company, const QDate& date, const QString& time);
    ~Business();

    struct Line {
        QString articulo;
        Fixed cantidad;
        Fixed precio;
        Fixed iva;
        Fixed consumo{};
    };
    struct Payment {
        int forma;
        Fixed monto;
        QString banco; // empty for none
    };
    // An invoice of a point of sale with its lines and counter payments; its key.
    Value invoice(int point, int vendedor, const QList<Line>& lines, const QList<Payment>& payments = {});

    struct TransferLine {
        int forma;
        Fixed monto;
        QString banco;
        QString cuenta;
        QString numero;
    };
    // A cash transfer from a cash box to another; its key.
    Value transfer(const QString& prefijo, const QString& numero, int caja, int destino,
                   const QList<TransferLine>& lines);

    // A disbursement paid from cash boxes, one payment row per amount; its key.
    Value disbursement(const QString& prefijo, const QString& numero,
                       const QList<std::pair<int, Fixed>>& payments);

    // Any other statement, audited like the documents.
    void execute(const QString& sql, const QList<Value>& params = {});

    // Commits what was written.
    void commit();

private:
    Value key(const char* procedure);

    std::unique_ptr<fb::Transaction> transaction_;
    QDate date_;
};

} // namespace quelmaro::test
