#include "transmission/run/driver.h"

#include "data/recordset/recordset.h"
#include "data/types/errors.h"
#include "platform/recording_messages.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/run_session.h"
#include "transmission/run/receipt_record_set.h"
#include "transmission/steps/invoice_record_sets.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

// The steps as the driver sees them: each call is written down as "<step> <point> <date>".
class LoggedSteps {
public:
    class Point : public PointStep {
    public:
        Point(LoggedSteps& log, const char* name) : log_(log), name_(name) {}
        void send(Run& run, const PointOfSale& point) override {
            log_.calls.append(QStringLiteral("%1 %2 %3").arg(name_, point.id.toString(), run.dateText()));
            if (log_.onCall)
                log_.onCall(name_, point);
        }

    private:
        LoggedSteps& log_;
        QString name_;
    };
    class Date : public DateStep {
    public:
        explicit Date(LoggedSteps& log) : log_(log) {}
        void send(Run& run) override {
            log_.calls.append(
                QStringLiteral("clientes %1%2")
                    .arg(run.dateText(), run.CFactura().isOpen() || run.CRecibo().isOpen() ? " (open)" : ""));
        }

    private:
        LoggedSteps& log_;
    };

    QStringList calls;
    std::function<void(const QString& step, const PointOfSale& point)> onCall;
    Point ventas{*this, "ventas"};
    Point recibos{*this, "recibos"};
    Point traslados{*this, "traslados"};
    Point egresos{*this, "egresos"};
    Date clientes{*this};
    Steps steps{ventas, recibos, traslados, egresos, clientes};
};

class Checked : public StepChoice {
public:
    explicit Checked(std::set<StepKind> steps) : steps(std::move(steps)) {}
    bool isChecked(StepKind step) const override { return steps.count(step) > 0; }
    std::set<StepKind> steps;
};

class Range : public PointRange {
public:
    Range(const QString& first, const QString& last) : first_(first), last_(last) {}
    QString first() const override { return first_; }
    QString last() const override { return last_; }
    void setFirst(const QString& text) override { first_ = text; }
    void setLast(const QString& text) override { last_ = text; }

private:
    QString first_;
    QString last_;
};

const std::set<StepKind> kPointSteps{StepKind::Ventas, StepKind::Recibos, StepKind::Traslados,
                                     StepKind::Egresos};

class DriverTest : public testing::Test {
protected:
    DriverTest() {
        session.connect();
        session.run.setDocumentRecordSets(invoices.CFactura, receipts.CRecibo);
    }
    void run(const QDate& from, const QDate& to, Range& range, const Checked& checked,
             const QString& agencia = "0") {
        runDates(session.run, {from, to, agencia}, range, checked, steps.steps);
    }
    QStringList pointsOf(const QString& first, const QString& last, const QString& agencia) {
        QStringList ids;
        for (const PointOfSale& point : selectPoints(session.run, first, last, agencia))
            ids.append(point.id.toString());
        return ids;
    }

    platform::ScopedRecording messages;
    RunSession session;
    QObject window;
    InvoiceRecordSets invoices{session.dm.Norvane, &window};
    ReceiptRecordSet receipts{session.dm.TRecibo, &window};
    LoggedSteps steps;
};

TEST_F(DriverTest, EveryDateSendsItsPointsInOrderThenItsCustomers) {
    Range range{QString(), QString()};
    run(QDate(2024, 3, 1), QDate(2024, 3, 2), range, Checked({kPointSteps.begin(), kPointSteps.end()}));
    steps.calls.clear();
    Checked all(kPointSteps);
    all.steps.insert(StepKind::Clientes);

    run(QDate(2024, 3, 2), QDate(2024, 3, 3), range, all);

    QStringList expected;
    for (const char* date : {"2024/03/02", "2024/03/03"}) {
        for (const char* point : {"1", "2", "3", "4"})
            for (const char* step : {"ventas", "recibos", "traslados", "egresos"})
                expected.append(QStringLiteral("%1 %2 %3").arg(step, point, date));
        expected.append(QStringLiteral("clientes %1").arg(date));
    }
    EXPECT_EQ(steps.calls, expected);
    EXPECT_EQ(range.first(), QStringLiteral("0"));
    EXPECT_EQ(range.last(), QStringLiteral("999999"));
    EXPECT_FALSE(session.progress.isVisible());
}

TEST_F(DriverTest, CheckBoxesAreReadAgainForEveryStep) {
    Checked checked(kPointSteps);
    steps.onCall = [&](const QString& step, const PointOfSale& point) {
        if (step == "ventas" && point.id.toInt() == 2)
            checked.steps.erase(StepKind::Recibos);
    };
    Range range("1", "3");

    run(QDate(2024, 3, 1), QDate(2024, 3, 1), range, checked);

    EXPECT_EQ(steps.calls,
              (QStringList{"ventas 1 2024/03/01", "recibos 1 2024/03/01", "traslados 1 2024/03/01",
                           "egresos 1 2024/03/01", "ventas 2 2024/03/01", "traslados 2 2024/03/01",
                           "egresos 2 2024/03/01", "ventas 3 2024/03/01", "traslados 3 2024/03/01",
                           "egresos 3 2024/03/01"}));
}

TEST_F(DriverTest, AStrandedInvoiceSkipsThePointsButNotTheCustomers) {
    session.central().execute(QStringLiteral("insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, "
                                             "fact_numero, fact_fecha, fact_ivainc, numok) "
                                             "values (0, 1, (select min(vend_cod) from vendedores), "
                                             "'222222222222', '000001', '2024-03-01', 'N', 'S')"));
    Range range("0", "999999");

    run(QDate(2024, 3, 1), QDate(2024, 3, 2), range, Checked({StepKind::Clientes}));

    EXPECT_EQ(steps.calls, (QStringList{"clientes 2024/03/01", "clientes 2024/03/02"}));
    const RecordedMessage stranded{MessageKind::Information,
                                   "Se encontró una factura previa que no está correctamente registrada."};
    EXPECT_EQ(messages.recorded(), (QList<RecordedMessage>{stranded, stranded}));
}

TEST_F(DriverTest, AnEmptyPeriodSendsNothingAndLeavesTheRangeAlone) {
    Range range{QString(), QString()};

    run(QDate(2024, 3, 3), QDate(2024, 3, 2), range, Checked({StepKind::Ventas, StepKind::Clientes}));

    EXPECT_TRUE(steps.calls.isEmpty());
    EXPECT_TRUE(range.first().isEmpty());
    EXPECT_TRUE(range.last().isEmpty());
}

struct Selection {
    const char* name;
    const char* first;
    const char* last;
    const char* agencia;
    QStringList points;
};

// The case by its name, in test lists too.
void PrintTo(const Selection& c, std::ostream* out) {
    *out << c.name;
}

class PointSelectionTest : public DriverTest, public testing::WithParamInterface<Selection> {};

TEST_P(PointSelectionTest, SelectsTheActivePointsOfTheRangeAndBranch) {
    session.origin().execute(QStringLiteral("update punto_venta set ptvt_activo = 'N' where ptvt_id = 4"));
    EXPECT_EQ(pointsOf(GetParam().first, GetParam().last, GetParam().agencia), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Ranges, PointSelectionTest,
                         testing::Values(Selection{"Everything", "0", "999999", "0", {"1", "2", "3"}},
                                         Selection{"Range", "2", "3", "0", {"2", "3"}},
                                         Selection{"SpacesAround", " 2", "3 ", "0", {"2", "3"}},
                                         Selection{"Branch", "0", "999999", "1", {"1", "3"}},
                                         Selection{"BranchAndRange", "2", "999999", "2", {"2"}},
                                         Selection{"Reversed", "3", "1", "0", {}}),
                         [](const testing::TestParamInfo<Selection>& info) { return info.param.name; });

struct BadField {
    const char* name;
    const char* first;
    const char* last;
    const char* agencia;
};

// The case by its name, in test lists too.
void PrintTo(const BadField& c, std::ostream* out) {
    *out << c.name;
}

class BadRangeTest : public DriverTest, public testing::WithParamInterface<BadField> {};

// Typed text reaches the database only as a bound whole number: anything else stops the run unread.
TEST_P(BadRangeTest, IsAConversionErrorBeforeAnythingIsSent) {
    Range range(GetParam().first, GetParam().last);
    EXPECT_THROW(run(QDate(2024, 3, 1), QDate(2024, 3, 3), range, Checked(kPointSteps), GetParam().agencia),
                 ConversionError);
    EXPECT_TRUE(steps.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Fields, BadRangeTest,
                         testing::Values(BadField{"Injection", "0", "9 or 1=1", "0"},
                                         BadField{"Letters", "uno", "9", "0"},
                                         BadField{"Decimal", "1.5", "9", "0"},
                                         BadField{"QuotedBranch", "0", "9", "1'--"}),
                         [](const testing::TestParamInfo<BadField>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
