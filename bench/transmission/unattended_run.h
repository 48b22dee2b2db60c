#pragma once

#include "transmission/run/connection_setup.h"
#include "transmission/run/driver.h"

#include <QDate>

namespace quelmaro::bench {

// Sales and receipts only: the documents the floor program writes too.
class SalesAndReceipts : public StepChoice {
public:
    bool isChecked(StepKind step) const override {
        return step == StepKind::Ventas || step == StepKind::Recibos;
    }
};

// The boxes as an unattended start leaves them: every kind of document but the customers.
class UnattendedChoice : public StepChoice {
public:
    bool isChecked(StepKind step) const override { return step != StepKind::Clientes; }
};

// One run of the transmission window's steps from `origin` to `destination` for every date of the period
// and every point of sale, as F5 runs them, with nobody at the screen. Returns the wall time in seconds.
double transmit(const CompanyLogin& origin, const CompanyLogin& destination, const QDate& from,
                const QDate& to, const StepChoice& choice);

// Makes the demo's origin (01) and empty central (00) companies under `root`: `points` points of sale with
// about `lines` invoice lines a day each.
void makeDemo(const QString& root, int days, const QDate& lastDay, bool forTheServer, int points = 20,
              int lines = 100);

// A copy of the empty central company as `company`, which the server may open too.
void copyEmptyCentral(const QString& root, const QString& company);

} // namespace quelmaro::bench
