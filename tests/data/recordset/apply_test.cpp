// Writing changes back: one transaction for master and details, all rows or none, and discarding them.
#include "data/fb/error.h"
#include "data/recordset/error.h"
#include "tests/data/recordset/sales_database.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace quelmaro;

namespace quelmaro {
void PrintTo(ErrorAction action, std::ostream* out) {
    *out << (action == ErrorAction::Abort ? "Abort" : "Fail");
}
} // namespace quelmaro

namespace {

struct UpdateError {
    QString provider;
    RecordSet* set = nullptr;
    QString message;
    UpdateKind kind = UpdateKind::Insert;
};

class Apply : public test::SalesDatabase {
protected:
    Apply() {
        provider.setUpdateErrorHandler(
            [this](Provider& from, RecordSet& set, const std::exception& error, UpdateKind kind) {
                errors.push_back({from.name(), &set, QString::fromUtf8(error.what()), kind});
            });
        invoices.open();
    }

    // A new invoice with `lineItems` lines and one payment, not yet applied.
    void addInvoice(int id, const std::vector<int>& lineItems) {
        invoices.append();
        invoices.setValue("FACT_ID", id);
        invoices.setValue("PTVT_ID", 30);
        invoices.setValue("TERC_NIT", "860");
        for (int item : lineItems) {
            lines.append();
            lines.setValue("FADE_ITEM", item);
            lines.setValue("ARTI_COD", QStringLiteral("ART%1").arg(item));
            lines.setValue("FADE_TOTAL", "10.10");
            lines.post();
        }
        payments.append();
        payments.setValue("PAGO_ITEM", 1);
        payments.setValue("FOPA_ID", 1);
        payments.post();
    }

    std::int64_t rows() { return count("facturas") + count("facturas_detalle") + count("facturas_pago"); }

    RecordSet invoices{QStringLiteral("CFactura")};
    RecordSet& lines = overProvider(invoices).detail("TFacturadetalle");
    RecordSet& payments = invoices.detail("TFacturapago");
    std::vector<UpdateError> errors;
};

TEST_F(Apply, WritesANewDocumentWithItsDetailsAtOnce) {
    addInvoice(8, {1, 2, 3});
    EXPECT_EQ(invoices.changeCount(), 5);
    EXPECT_EQ(invoices.applyUpdates(), 0);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(invoices.hasPendingChanges());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from facturas_detalle where fact_id = 8")).toInt(), 3);
    EXPECT_EQ(
        scalar(QStringLiteral("select sum(fade_total) from facturas_detalle where fact_id = 8")).toFixed(),
        Fixed::parse("30.30"));
    EXPECT_EQ(scalar(QStringLiteral("select terc_nit from facturas where fact_id = 8")), Value("860"));
    invoices.cancelUpdates();
    EXPECT_EQ(invoices.recordCount(), 4) << "applied rows are the state a discard goes back to";
}

TEST_F(Apply, AFailingDetailRowLeavesNothingWrittenAndIsReported) {
    const std::int64_t before = rows();
    addInvoice(8, {1, 2, 2});
    EXPECT_EQ(invoices.applyUpdates(), 1);
    EXPECT_EQ(rows(), before);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].provider, "PFactura");
    EXPECT_EQ(errors[0].set, &lines);
    EXPECT_EQ(errors[0].kind, UpdateKind::Insert);
    EXPECT_TRUE(errors[0].message.startsWith(fb::DatabaseError::kPrefix)) << errors[0].message.toStdString();
    EXPECT_TRUE(
        errors[0].message.contains("violation of PRIMARY or UNIQUE KEY constraint \"PK_FACTURAS_DETALLE\""));
    EXPECT_EQ(invoices.changeCount(), 5) << "the changes wait to be fixed or discarded";

    invoices.cancelUpdates();
    EXPECT_EQ(invoices.changeCount(), 0);
    EXPECT_EQ(invoices.recordCount(), 3);
    EXPECT_EQ(invoices.applyUpdates(), 0);
}

// Lines enough for several batches: a fault in the last leaves the earlier ones unwritten, and the whole
// document goes in once it is mended.
TEST_F(Apply, ADocumentOfManyBatchesIsWrittenWholeOrNotAtAll) {
    const std::int64_t before = rows();
    std::vector<int> items(300);
    std::iota(items.begin(), items.end(), 1);
    items.back() = 1;
    addInvoice(8, items);
    EXPECT_EQ(invoices.applyUpdates(), 1);
    EXPECT_EQ(rows(), before);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].set, &lines);
    EXPECT_TRUE(errors[0].message.contains("PK_FACTURAS_DETALLE")) << errors[0].message.toStdString();

    lines.last();
    lines.edit();
    lines.setValue("FADE_ITEM", 300);
    lines.post();
    EXPECT_EQ(invoices.applyUpdates(), 0);
    EXPECT_EQ(rows(), before + 302);
    EXPECT_EQ(scalar(QStringLiteral("select sum(fade_item) from facturas_detalle where fact_id = 8")).toInt(),
              300 * 301 / 2);
}

TEST_F(Apply, WithoutAHandlerTheDatabaseErrorIsThrown) {
    provider.setUpdateErrorHandler({});
    const std::int64_t before = rows();
    addInvoice(1, {1}); // invoice 1 exists
    EXPECT_THROW(invoices.applyUpdates(), fb::DatabaseError);
    EXPECT_EQ(rows(), before);
}

TEST_F(Apply, UpdatesAndDeletesFindRowsByTheirPrimaryKey) {
    invoices.edit();
    invoices.setValue("FACT_TOTAL", "99.99");
    invoices.setValue("FACT_NUMERO", Value());
    invoices.post();
    lines.last();
    lines.remove();
    lines.edit();
    lines.setValue("FADE_CANT", 5);
    lines.post();
    invoices.locate("FACT_ID", 2);
    invoices.remove();
    EXPECT_EQ(invoices.changeCount(), 4);

    EXPECT_EQ(invoices.applyUpdates(), 0);
    EXPECT_TRUE(errors.empty());
    const fb::QueryResult invoice =
        connection().query(QStringLiteral("select fact_total, fact_numero from facturas where fact_id = 1"));
    EXPECT_EQ(invoice.rows.at(0).at(0).toFixed(), Fixed::parse("99.99"));
    EXPECT_TRUE(invoice.rows.at(0).at(1).isNull());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from facturas_detalle where fact_id = 1")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select fade_cant from facturas_detalle where fact_id = 1")).toFixed(),
              Fixed::fromInt(5));
    EXPECT_EQ(count("facturas"), 2);
}

TEST_F(Apply, ARowChangedByAnotherUserFailsTheWholeBatch) {
    invoices.edit();
    invoices.setValue("FACT_TOTAL", 1);
    invoices.post();
    invoices.next();
    invoices.edit();
    invoices.setValue("FACT_TOTAL", 2);
    invoices.post();
    execute(QStringLiteral("delete from facturas where fact_id = 2"));

    EXPECT_EQ(invoices.applyUpdates(), 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].message, "El registro ya no está como se leyó: otro usuario lo cambió o lo borró");
    EXPECT_EQ(errors[0].kind, UpdateKind::Modify);
    EXPECT_EQ(scalar(QStringLiteral("select fact_total from facturas where fact_id = 1")).toFixed(),
              Fixed::parse("150"));
}

TEST_F(Apply, DiscardingGoesBackToTheLastAppliedStateOfMasterAndDetails) {
    invoices.edit();
    invoices.setValue("TERC_NIT", "111");
    invoices.post();
    lines.remove();
    lines.edit();
    lines.setValue("ARTI_COD", "NUEVO");
    lines.post();
    addInvoice(9, {1});
    invoices.cancelUpdates();

    EXPECT_EQ(invoices.changeCount(), 0);
    EXPECT_EQ(invoices.recordCount(), 3);
    EXPECT_EQ(invoices.currentIndex(), 0);
    EXPECT_EQ(invoices.value("TERC_NIT"), Value("800100"));
    ASSERT_EQ(lines.recordCount(), 2);
    EXPECT_EQ(lines.value("ARTI_COD"), Value("ART1"));
    lines.next();
    EXPECT_EQ(lines.value("ARTI_COD"), Value("ART2"));
}

// Rows of a table without a primary key are found by all their original values, nulls included, and only
// one of two identical rows changes.
TEST_F(Apply, WithoutAPrimaryKeyRowsAreFoundByAllTheirValues) {
    execute(QStringLiteral("create table notas (codigo integer, texto varchar(20), monto numeric(15,2))"));
    for (int i = 0; i < 2; ++i)
        execute(QStringLiteral("insert into notas values (1, null, 5)"));
    execute(QStringLiteral("insert into notas values (2, 'b', null)"));
    Query tnotas(QStringLiteral("TNotas"), connection());
    tnotas.setStatement(QStringLiteral("select * from notas order by codigo"));
    Provider pnotas(QStringLiteral("PNotas"), tnotas);
    RecordSet notes(QStringLiteral("CNotas"));
    notes.setProvider(&pnotas);
    notes.open();
    EXPECT_FALSE(notes.field("CODIGO").isKey());

    notes.edit();
    notes.setValue("TEXTO", "cambiada");
    notes.post();
    notes.last();
    notes.remove();
    EXPECT_EQ(notes.applyUpdates(), 0);

    const fb::QueryResult left =
        connection().query(QStringLiteral("select codigo, texto from notas order by codigo, texto"));
    ASSERT_EQ(left.rows.size(), 2);
    EXPECT_EQ(left.rows[0], (fb::Row{1, Value()}));
    EXPECT_EQ(left.rows[1], (fb::Row{1, "cambiada"}));
}

TEST_F(Apply, StatementsFromExpressionsCannotBeWrittenBack) {
    Query qtotales(QStringLiteral("QTotales"), connection());
    Provider ptotales(QStringLiteral("PTotales"), qtotales);
    ptotales.setAcceptsStatement(true);
    ptotales.setUpdateErrorHandler(provider.updateErrorHandler());
    RecordSet totals(QStringLiteral("CTotales"));
    totals.setProvider(&ptotales);
    totals.setCommandText(QStringLiteral("select count(*) as cuantas from facturas"));
    totals.open();
    totals.edit();
    totals.setValue("CUANTAS", 5);
    totals.post();
    EXPECT_EQ(totals.applyUpdates(), 1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].set, &totals);
}

TEST_F(Apply, AStatementWithoutRowsRunsOnItsOwn) {
    provider.setAcceptsStatement(true);
    RecordSet direct(QStringLiteral("CBorrar"));
    direct.setProvider(&provider);
    direct.setCommandText(
        QStringLiteral("insert into facturas (fact_id, ptvt_id, terc_nit) values (40, 1, 'x')"));
    direct.execute();
    EXPECT_EQ(count("facturas"), 4);
    EXPECT_FALSE(direct.isOpen());
}

// Post errors: the exact text the data module recognises, and what the handler's answer does.
class PostErrors : public Apply, public testing::WithParamInterface<ErrorAction> {};

TEST_P(PostErrors, ARequiredFieldWithoutValueIsReportedByName) {
    std::vector<QString> reported;
    invoices.setPostErrorHandler([&](RecordSet&, const std::exception& error) {
        reported.push_back(QString::fromUtf8(error.what()));
        return GetParam();
    });
    invoices.append();
    invoices.setValue("FACT_ID", 9);
    invoices.setValue("PTVT_ID", 1);
    if (GetParam() == ErrorAction::Abort)
        EXPECT_THROW(invoices.post(), OperationAborted);
    else
        EXPECT_THROW(invoices.post(), RecordSetError);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Field 'TERC_NIT' must have a value");
    EXPECT_EQ(invoices.state(), RecordSetState::Insert) << "the row is still being inserted";
    invoices.setValue("TERC_NIT", "1");
    invoices.post();
    EXPECT_EQ(invoices.recordCount(), 4);
}

INSTANTIATE_TEST_SUITE_P(Actions, PostErrors, testing::Values(ErrorAction::Abort, ErrorAction::Fail),
                         [](const testing::TestParamInfo<ErrorAction>& info) {
                             return testing::PrintToString(info.param);
                         });

TEST_F(Apply, InsertAndFieldChangeHandlersRunAsTheRowIsBuilt) {
    std::vector<QString> events;
    invoices.setAfterInsertHandler([&](RecordSet& set) {
        events.push_back("insert");
        set.setValue("PTVT_ID", 77);
    });
    invoices.setFieldChangeHandler(QStringLiteral("terc_nit"), [&](RecordSet& set) {
        events.push_back("nit " + set.value("TERC_NIT").toString());
        set.setValue("FACT_NUMERO", set.value("TERC_NIT"));
    });
    lines.setAfterInsertHandler(
        [&](RecordSet& set) { set.setValue("ARTI_COD", set.master()->value("TERC_NIT")); });
    invoices.append();
    invoices.setValue("FACT_ID", 12);
    invoices.setValue("TERC_NIT", "123456789");
    lines.append();
    EXPECT_EQ(events, (std::vector<QString>{"insert", "nit 123456789"}));
    EXPECT_EQ(invoices.value("PTVT_ID").toInt(), 77);
    EXPECT_EQ(invoices.value("FACT_NUMERO"), Value("12345678")) << "cut to its 8 characters";
    EXPECT_EQ(lines.value("ARTI_COD"), Value("123456789"));
}

} // namespace
