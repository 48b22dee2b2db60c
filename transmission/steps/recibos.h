#pragma once

#include "data/fb/connection.h"
#include "transmission/run/run_state.h"

#include <QObject>

namespace quelmaro {

// The cash receipt of one point of sale and date: it pays the point's last invoice of the day in the
// destination with the payments the origin's RESUMEN_CAJA_TX gives after the run's time mark, then is
// posted. An invoice already paid, or a receipt left under key 0, stops it with a message.
class RecibosStep : public PointStep {
public:
    explicit RecibosStep(fb::Connection& destination);

    void send(Run& run, const PointOfSale& point) override;

private:
    void sendReceipt(Run& run, const PointOfSale& point);
    bool findInvoiceToPay(Run& run, const PointOfSale& point);
    bool hasStrandedReceipt(RecordSet& recibo);
    static void addPayment(RecordSet& pagos, const fb::QueryResult& payments, const fb::Row& row, int item,
                           const QDate& fecha);
    static void settleAmount(RecordSet& recibo, Fixed total);

    // Fills the header just created.
    void CReciboAfterInsert(Run& run, const PointOfSale& point, RecordSet& recibo);
    static void addInvoiceLine(RecordSet& recibo, const LastInvoice& last);

    fb::Connection& destination_;
    QString paidSince_; // the time after which the payments of the invoice to pay were made
};

} // namespace quelmaro
