#pragma once

#include <QDate>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro::bench {

// What a run wrote.
struct Written {
    long documents = 0; // invoices and receipts
    long lines = 0;     // invoice lines
};

// The least a program must do to send the same days: for every date and active point of sale, read the
// origin's sales and payments summaries and write the summary invoice with its lines and send record, then
// the receipt with its line and payments, each document in one transaction through prepared statements,
// and post both through the destination's procedures.
Written sendFloor(fb::Connection& origin, fb::Connection& destination, const QDate& from, const QDate& to,
                  const QString& user);

} // namespace quelmaro::bench
