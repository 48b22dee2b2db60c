#pragma once

#include "platform/recording_messages.h"
#include "tests/support/printers.h"
#include "tests/support/temp_dir.h"
#include "tests/transmission/support/run_session.h"
#include "transmission/run/receipt_record_set.h"
#include "transmission/steps/step_set.h"

#include <QObject>

#include <gtest/gtest.h>

namespace quelmaro::test {

// A connected run between fresh copies of the demo companies, with the steps as the transmission window
// holds them (their record sets given the data module's error handlers) and every message recorded.
class StepsTest : public testing::Test {
protected:
    explicit StepsTest(const RunSettings& settings = {QStringLiteral("SYSDBA"), QString()});

    // The origin's point of sale as the run driver reads it.
    PointOfSale point(int id);
    // Runs a step of a point for a date.
    void send(PointStep& step, int pointId, const QDate& date);
    // Every row of a statement on the central (or origin) company, its columns as text joined by "|".
    QStringList central(const QString& sql, const QList<Value>& params = {});
    QStringList origin(const QString& sql, const QList<Value>& params = {});
    // How many rows a statement on the central company counts.
    int countCentral(const QString& sql, const QList<Value>& params = {});

    platform::ScopedRecording messages;
    TempDir logFolder;
    RunSession session;
    QObject window;
    StepSet steps{session.dm.Norvane, &window};
    ReceiptRecordSet receipts{session.dm.TRecibo, &window};
    RecordSet& CRecibo = receipts.CRecibo;
};

// All columns of every row, as text joined by "|".
QStringList rowsAsText(const fb::QueryResult& result);

} // namespace quelmaro::test
