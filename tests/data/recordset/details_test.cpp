// Nested detail sets: the rows under the current master row, link columns, and what a master may not do.
#include "data/recordset/error.h"
#include "tests/data/recordset/sales_database.h"

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

class Details : public test::SalesDatabase {
protected:
    Details() { invoices.open(); }

    RecordSet invoices{QStringLiteral("CFactura")};
    RecordSet& lines = overProvider(invoices).detail("TFacturadetalle");
    RecordSet& payments = invoices.detail("tfacturapago");
};

TEST_F(Details, EachDetailQueryBecomesANestedSetShowingTheCurrentMastersRows) {
    ASSERT_EQ(invoices.detailCount(), 2);
    EXPECT_EQ(lines.name(), "TFacturadetalle");
    EXPECT_EQ(lines.master(), &invoices);
    EXPECT_TRUE(lines.isOpen());

    const std::vector<std::pair<int, int>> expected{{2, 1}, {0, 0}, {1, 0}}; // lines, payments per invoice
    for (const auto& [lineCount, paymentCount] : expected) {
        SCOPED_TRACE(invoices.value("FACT_ID").toInt());
        EXPECT_EQ(lines.recordCount(), lineCount);
        EXPECT_EQ(payments.recordCount(), paymentCount);
        if (lineCount > 0) {
            EXPECT_EQ(lines.value("FACT_ID"), invoices.value("FACT_ID"));
        }
        invoices.next();
    }
    invoices.first();
    lines.last();
    EXPECT_EQ(lines.value("ARTI_COD"), Value("ART2"));
}

TEST_F(Details, ADetailAggregateSumsTheRowsOfTheCurrentMaster) {
    lines.addAggregate(QStringLiteral("SumTotal"), QStringLiteral("sum(fade_total)"));
    EXPECT_EQ(lines.aggregate("SumTotal").toFixed(), Fixed::parse("150"));
    invoices.next();
    EXPECT_TRUE(lines.aggregate("SumTotal").isNull());
    invoices.next();
    EXPECT_EQ(lines.aggregate("SumTotal").toFixed(), Fixed::parse("40.5"));
}

TEST_F(Details, AnAppendedDetailRowGetsTheMastersKey) {
    invoices.locate("FACT_ID", 2);
    lines.append();
    EXPECT_EQ(lines.value("FACT_ID").toInt(), 2);
    EXPECT_TRUE(lines.value("FADE_ITEM").isNull());
    payments.append();
    EXPECT_EQ(payments.value("FACT_ID").toInt(), 2);
    invoices.first();
    EXPECT_EQ(lines.state(), RecordSetState::Browse) << "moving the master drops the untouched new rows";
    EXPECT_EQ(payments.recordCount(), 1);
}

TEST_F(Details, AppendingADetailStoresTheMasterBeingInsertedFirst) {
    invoices.append();
    invoices.setValue("FACT_ID", 7);
    invoices.setValue("PTVT_ID", 10);
    invoices.setValue("TERC_NIT", "900");
    lines.append();
    EXPECT_EQ(invoices.state(), RecordSetState::Browse);
    EXPECT_EQ(invoices.recordCount(), 4);
    EXPECT_EQ(invoices.value("FACT_ID").toInt(), 7);
    EXPECT_EQ(lines.state(), RecordSetState::Insert);
    EXPECT_EQ(lines.value("FACT_ID").toInt(), 7);
    lines.setValue("FADE_ITEM", 1);
    lines.setValue("ARTI_COD", "ART9");
    lines.post();
    EXPECT_EQ(lines.recordCount(), 1);
    invoices.first();
    invoices.last();
    EXPECT_EQ(lines.value("ARTI_COD"), Value("ART9")) << "the new master keeps its rows";
}

TEST_F(Details, AMasterThatCannotBeStoredStopsTheDetailAppend) {
    invoices.append();
    invoices.setValue("FACT_ID", 7);
    try {
        lines.append();
        FAIL() << "the detail row was added under an unstored master";
    } catch (const RecordSetError& error) {
        EXPECT_EQ(error.message(), "Field 'PTVT_ID' must have a value");
    }
    EXPECT_EQ(invoices.state(), RecordSetState::Insert);
    EXPECT_EQ(lines.state(), RecordSetState::Browse);
}

TEST_F(Details, AMasterWithDetailRowsCannotBeDeleted) {
    int reported = 0;
    invoices.setDeleteErrorHandler([&](RecordSet& set, const std::exception& error) {
        ++reported;
        EXPECT_EQ(&set, &invoices);
        EXPECT_STREQ(error.what(), "Cannot delete master record with details");
        return ErrorAction::Abort;
    });
    EXPECT_THROW(invoices.remove(), OperationAborted);
    EXPECT_EQ(reported, 1);
    EXPECT_EQ(invoices.recordCount(), 3);

    invoices.setDeleteErrorHandler({});
    invoices.next();
    invoices.remove(); // invoice 2 has nothing under it
    EXPECT_EQ(invoices.recordCount(), 2);
    EXPECT_EQ(invoices.value("FACT_ID").toInt(), 3);
    EXPECT_EQ(lines.recordCount(), 1);

    lines.remove();
    invoices.remove(); // its only line is gone
    EXPECT_EQ(invoices.recordCount(), 1);
    EXPECT_TRUE(invoices.eof());
}

// A table read whole, with a detail table linked on two columns and ordered, as the print formats are.
class TableDetails : public test::SalesDatabase {
protected:
    TableDetails() {
        execute(QStringLiteral(
            "create table formatos (tido_cod integer not null, pref_pre varchar(6) not null,"
            " form_font varchar(60), constraint pk_formatos primary key (tido_cod, pref_pre))"));
        execute(QStringLiteral(
            "create table formato_datos (tido_cod integer not null, pref_pre varchar(4) not null,"
            " dafo_dato varchar(30) not null, dafo_posx integer)"));
        for (const char* row : {"31, 'FV', 'Arial'", "131, 'CI', 'Courier New'", "131, 'ZZ', null"})
            execute(QStringLiteral("insert into formatos values (%1)").arg(QLatin1String(row)));
        for (const char* row : {"131, 'CI', 'VENTAS', 700", "131, 'CI', 'FECHA', 100",
                                "31, 'FV', 'TOTAL', 50", "131, 'ZZ', 'OTRO', 1"})
            execute(QStringLiteral("insert into formato_datos values (%1)").arg(QLatin1String(row)));
        tformatos.setTable(QStringLiteral("FORMATOS"));
        tformadatos.setTable(QStringLiteral("FORMATO_DATOS"), {QStringLiteral("DAFO_POSX")});
        tformadatos.setMaster(tformatos, {QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")});
        formats.setProvider(&pformato);
        formats.open();
    }

    Query tformatos{QStringLiteral("Tformatos"), connection()};
    Query tformadatos{QStringLiteral("Tformadatos"), connection()};
    Provider pformato{QStringLiteral("PFormato"), tformatos};
    RecordSet formats{QStringLiteral("CFormato")};
};

TEST_F(TableDetails, FollowTheFilteredMasterOnEveryLinkColumn) {
    RecordSet& data = formats.detail("Tformadatos");
    formats.setFilter(QStringLiteral("tido_cod = 131"));
    formats.setFiltered(true);
    EXPECT_EQ(formats.recordCount(), 2);
    formats.first();
    EXPECT_EQ(formats.value("PREF_PRE"), Value("CI"));
    ASSERT_EQ(data.recordCount(), 2);
    EXPECT_EQ(data.value("DAFO_DATO"), Value("FECHA")) << "ordered by position";
    data.next();
    EXPECT_EQ(data.value("DAFO_DATO"), Value("VENTAS"));
    formats.next();
    EXPECT_EQ(data.recordCount(), 1);
    EXPECT_EQ(data.value("DAFO_DATO"), Value("OTRO"));
}

} // namespace
