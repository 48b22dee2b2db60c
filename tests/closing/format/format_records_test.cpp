// The stored print formats as the closing window reads them: the format of a document type with its
// data slots and drawing elements.
#include "closing/format/format_records.h"
#include "tests/closing/format/company_database.h"

#include <gtest/gtest.h>

namespace quelmaro {
namespace {

class FormatRecordsOnACompany : public testing::Test {
protected:
    static void SetUpTestSuite() {
        company = new test::CompanyDatabase;
        // A second document's format, so that a selection has something to leave out.
        fb::Connection& db = company->connection();
        db.execute(QStringLiteral(
            "insert into formatos (tido_cod, pref_pre, form_entrelinea, form_font, form_fsize) "
            "values (31, 'FAC', 0, 'Courier', 9)"));
        db.execute(QStringLiteral("insert into formato_datos (tido_cod, pref_pre, dafo_dato, dafo_imprime, "
                                  "dafo_item) values (31, 'FAC', 'NUMERO', 'S', 1)"));
    }
    static void TearDownTestSuite() {
        delete company;
        company = nullptr;
    }

    static test::CompanyDatabase* company;
    QObject window;
    FormatRecords format{company->Tformatos, &window};
};

test::CompanyDatabase* FormatRecordsOnACompany::company = nullptr;

TEST_F(FormatRecordsOnACompany, SelectsTheClosingReportFormatWithItsDataAndElements) {
    ASSERT_TRUE(format.select(131));
    EXPECT_EQ(format.CFormato.recordCount(), 1);
    EXPECT_EQ(format.CFormato.value("PREF_PRE").toString(), "CIE");
    EXPECT_EQ(format.CFormato.value("FORM_IMPRE").toString(), "CIERRE");
    EXPECT_EQ(format.CFormato.value("FORM_PAPELAN").toFixed(), Fixed::parse("8.5"));
    EXPECT_EQ(format.CFormato.value("FORM_PAPELAL").toFixed(), Fixed::parse("11"));
    EXPECT_EQ(format.CFormdatos.recordCount(), 54 + 45) << "every datum of both vocabularies";
    EXPECT_EQ(format.CFormlineas.recordCount(), 103);
    for (format.CFormdatos.first(); !format.CFormdatos.eof(); format.CFormdatos.next())
        EXPECT_EQ(format.CFormdatos.value("TIDO_COD").toInt(), 131);
    EXPECT_EQ(format.CFormato.filter(), "tido_cod = 131");
    EXPECT_TRUE(format.CFormato.isFiltered());
}

TEST_F(FormatRecordsOnACompany, TheNestedSetsFollowTheFormatSelected) {
    ASSERT_TRUE(format.select(31));
    EXPECT_EQ(format.CFormato.value("FORM_FONT").toString(), "Courier");
    EXPECT_EQ(format.CFormdatos.recordCount(), 1);
    EXPECT_EQ(format.CFormdatos.value("DAFO_DATO").toString(), "NUMERO");
    EXPECT_EQ(format.CFormlineas.recordCount(), 0);
    ASSERT_TRUE(format.select(131)) << "a second selection reopens with the new filter";
    EXPECT_EQ(format.CFormdatos.recordCount(), 99);
}

TEST_F(FormatRecordsOnACompany, ADocumentTypeWithoutFormatSelectsNothing) {
    EXPECT_FALSE(format.select(999));
    EXPECT_TRUE(format.CFormato.isOpen());
    EXPECT_TRUE(format.CFormdatos.isEmpty());
    EXPECT_TRUE(format.CFormlineas.isEmpty());
}

} // namespace
} // namespace quelmaro
