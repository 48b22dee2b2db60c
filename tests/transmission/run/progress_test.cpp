// The progress line of a whole run with the real steps: every message of a date, in order.
#include "platform/recording_messages.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/run_session.h"
#include "transmission/run/driver.h"
#include "transmission/run/receipt_record_set.h"
#include "transmission/steps/step_set.h"

#include <gtest/gtest.h>

namespace quelmaro::test {
namespace {

class Everything : public StepChoice {
public:
    bool isChecked(StepKind) const override { return true; }
};

class FixedRange : public PointRange {
public:
    QString first() const override { return QStringLiteral("1"); }
    QString last() const override { return QStringLiteral("2"); }
    void setFirst(const QString&) override {}
    void setLast(const QString&) override {}
};

TEST(RunProgressTest, ShowsEveryStepOfEveryPointThenTheCustomers) {
    platform::ScopedRecording messages;
    RunSession session;
    QObject window;
    StepSet steps(session.dm.Norvane, &window);
    ReceiptRecordSet receipts(session.dm.TRecibo, &window);
    session.dm.ConfigurarProviders(&window);
    session.run.setDocumentRecordSets(steps.ventas.CFactura(), receipts.CRecibo);
    session.connect();
    FixedRange range;

    runDates(session.run, {CompanyPair::kFirstDay, CompanyPair::kFirstDay, QStringLiteral("0")}, range,
             Everything(), steps.steps());

    QStringList expected{"Conectando a " + session.companies.database("01") + " ...",
                         "Conectando a " + session.companies.database("00") + " ..."};
    for (const char* point : {"PUNTO 01", "PUNTO 02"}) {
        expected << QStringLiteral("Enviando ventas punto %1 Fecha:2024/03/01 ...").arg(point)
                 << QStringLiteral("Enviando recibo punto %1 2024/03/01 ...").arg(point)
                 << QStringLiteral("Enviando traslados de caja de 2024/03/01")
                 << QStringLiteral("Enviando Egresos de caja de 2024/03/01");
    }
    expected << QStringLiteral("Enviando clientes creados en 2024/03/01");
    EXPECT_EQ(session.progress.shown(), expected);
    EXPECT_TRUE(session.progress.isVisible()); // the last message stays
}

} // namespace
} // namespace quelmaro::test
