#include "transmission/posting/posting.h"

#include "data/fb/error.h"
#include "data/types/errors.h"
#include "platform/recording_messages.h"
#include "tests/support/printers.h"
#include "tests/transmission/support/run_session.h"

#include <gtest/gtest.h>

namespace quelmaro::test {
namespace {

using platform::MessageKind;
using platform::RecordedMessage;

// One kind of posted document: how to write one into the central company with an amount to post, how to
// make two of its interface's accounts unknown, and what the destination calls it.
struct DocumentKind {
    const char* name;
    PostedDocument document;
    int type;
    QString prefijo;
    Value (*write)(fb::Connection& central, const QDate& fecha);
    const char* breakInterface;
    const char* niifProcedure;
    const char* errorHead;
    const char* niifErrorHead;
};

// The case by its name, in test lists too.
void PrintTo(const DocumentKind& c, std::ostream* out) {
    *out << c.name;
}

Value newKey(fb::Connection& central, const char* procedure) {
    return central.execute(QStringLiteral("execute procedure ") + QLatin1String(procedure)).at(0);
}

Value writeFactura(fb::Connection& central, const QDate& fecha) {
    const Value id = newKey(central, "cambie_id_factura");
    central.execute(QStringLiteral("insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, "
                                   "fact_fecha, fact_ivainc, pref_pre, fact_anulado, fact_total, numok) "
                                   "values (?, 1, (select min(vend_cod) from vendedores), '222222222222', "
                                   "'000001', ?, 'N', 'F001', 'N', 1000, 'S')"),
                    {id, fecha});
    return id;
}

Value writeRecibo(fb::Connection& central, const QDate& fecha) {
    const Value id = newKey(central, "cambie_id_recicaja");
    central.execute(
        QStringLiteral("insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, reca_numero, "
                       "reca_fecha, terc_nit, reca_anulado, numok) "
                       "values (?, 1, 61, 'R001', '000001', ?, '222222222222', 'N', 'S')"),
        {id, fecha});
    central.execute(QStringLiteral("insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_fecha, "
                                   "rcpa_monto, rcpa_anulado) values (?, 1, 1, ?, 1000, 'N')"),
                    {id, fecha});
    return id;
}

Value writeTraslado(fb::Connection& central, const QDate& fecha) {
    const Value id = newKey(central, "cambie_id_traslacaja");
    central.execute(QStringLiteral("insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, "
                                   "caja_id, trcj_destino, trcj_anulado, numok) "
                                   "values (?, 'T001', '000001', ?, 1, 2, 'N', 'S')"),
                    {id, fecha});
    central.execute(QStringLiteral("insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_fecha, "
                                   "trcd_monto, trcd_anulado) values (?, 1, 1, ?, 1000, 'N')"),
                    {id, fecha});
    return id;
}

const DocumentKind kKinds[] = {
    {"Factura", PostedDocument::Factura, 31, QStringLiteral("F001"), writeFactura,
     "update interfaz_ventas set inve_ctaclientes = '999901', inve_ctaajuste = '999902' where pref_pre = "
     "'F001'",
     "contabil_factura_niif", "Se presentaron los siguientes errores en la contabilización: ",
     "Se presentaron los siguientes errores en la contabilización: "},
    {"ReciboCaja", PostedDocument::ReciboCaja, 61, QStringLiteral("R001"), writeRecibo,
     "update interfaz_caja set incj_ctaefectivo = '999901', incj_ctaingresos = '999902' where pref_pre = "
     "'R001'",
     "contabil_recicaja_niif", "Se presentaron los siguientes errores en la contabilización del recibo: ",
     "Se presentaron los siguientes errores en la contabilización niif del recibo: "},
    {"TrasladoCaja", PostedDocument::TrasladoCaja, 66, QStringLiteral("T001"), writeTraslado,
     "update interfaz_caja set incj_ctaefectivo = '999901', incj_ctatraslados = '999902' where pref_pre = "
     "'T001'",
     "contabil_traslacaja_niif",
     "Se presentaron los siguientes errores en la contabilización del trasladoo: ",
     "Se presentaron los siguientes errores en la contabilización niif del traslado: "},
};

class PostingTest : public testing::TestWithParam<DocumentKind> {
protected:
    void setOpeningYear(const QString& year) {
        session.central().execute(
            QStringLiteral("update configuracion set conf_valor = ? where conf_propiedad = "
                           "'ANO BALANCE DE APERTURA NIIF'"),
            {year});
    }
    // The ledger postings of the document: "L" or "N" with its pending flag, in ledger order.
    QStringList postings(const Value& key) {
        QStringList found;
        const fb::QueryResult rows = session.central().query(
            QStringLiteral(
                "select cnt_libro, cnt_pendiente from contable where tido_cod = ? and cnt_iddoc = ? "
                "order by cnt_libro"),
            {GetParam().type, key});
        for (const fb::Row& row : rows.rows)
            found.append(row.at(0).toString() + row.at(1).toString());
        return found;
    }
    // The message the program composes from what the destination recorded: read with our own query.
    QString expectedErrors(const char* head, int type, const Value& key) {
        QString message = QString::fromUtf8(head);
        const fb::QueryResult rows = session.central().query(
            QStringLiteral(
                "select erro_codigo, erro_cadena from errores where erro_tipodoc = ? and erro_iddoc = ?"),
            {type, key});
        for (const fb::Row& row : rows.rows)
            message += row.at(0).toString() + QLatin1Char(':') + row.at(1).toString() + QLatin1Char(' ');
        return message;
    }
    // The document's row in the posting journal, as the transmission writes it with the document.
    void journal(const Value& key, const QDate& fecha) {
        session.central().execute(
            QStringLiteral("insert into contabilizaciones_pendientes (copd_tipo, copd_id, pref_pre, "
                           "copd_fechadoc, ptvt_id, copd_fecha) values (?, ?, ?, ?, 1, ?)"),
            {GetParam().type, key, GetParam().prefijo, fecha, fecha});
    }
    bool journaled(const Value& key) {
        return !session.central()
                    .query(QStringLiteral("select 1 from contabilizaciones_pendientes where copd_tipo = ? "
                                          "and copd_id = ?"),
                           {GetParam().type, key})
                    .rows.isEmpty();
    }
    bool post(const Value& key, const QDate& fecha) {
        journal(key, fecha);
        return contabilizar(session.run, GetParam().document, key);
    }

    platform::ScopedRecording messages;
    RunSession session;
};

TEST_P(PostingTest, OpeningYearDecidesTheSecondLedger) {
    setOpeningYear(QStringLiteral("2020"));
    session.connect();
    const Value before = GetParam().write(session.central(), QDate(2019, 12, 31));
    const Value from = GetParam().write(session.central(), QDate(2020, 1, 1));

    post(before, QDate(2019, 12, 31));
    post(from, QDate(2020, 1, 1));

    EXPECT_EQ(postings(before), QStringList{"LN"});
    EXPECT_EQ(postings(from), (QStringList{"LN", "NN"}));
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_P(PostingTest, OpeningYearIsReadForEveryDocument) {
    setOpeningYear(QStringLiteral("2020"));
    session.connect();
    const Value first = GetParam().write(session.central(), QDate(2020, 6, 1));
    const Value second = GetParam().write(session.central(), QDate(2020, 6, 1));

    post(first, QDate(2020, 6, 1));
    setOpeningYear(QStringLiteral("2021"));
    post(second, QDate(2020, 6, 1));

    EXPECT_EQ(postings(first), (QStringList{"LN", "NN"}));
    EXPECT_EQ(postings(second), QStringList{"LN"});
}

// The journal row goes with the posting: a posting that fails as a whole (an opening year that is no number
// fails after the first ledger) leaves the document listed with nothing posted; a document is posted once.
TEST_P(PostingTest, ADocumentIsPostedOnlyWhileTheJournalListsIt) {
    setOpeningYear(QStringLiteral("dos mil"));
    session.connect();
    const Value key = GetParam().write(session.central(), QDate(2024, 3, 1));

    EXPECT_THROW(post(key, QDate(2024, 3, 1)), fb::DatabaseError);
    EXPECT_TRUE(journaled(key));
    EXPECT_TRUE(postings(key).isEmpty());

    setOpeningYear(QStringLiteral("2020"));
    EXPECT_TRUE(contabilizar(session.run, GetParam().document, key));
    EXPECT_FALSE(contabilizar(session.run, GetParam().document, key));
    EXPECT_FALSE(journaled(key));
    EXPECT_EQ(postings(key), (QStringList{"LN", "NN"}));
}

TEST_P(PostingTest, FirstLedgerErrorsAreListedAndStopThePosting) {
    session.central().execute(QString::fromLatin1(GetParam().breakInterface));
    session.connect();
    const Value key = GetParam().write(session.central(), QDate(2024, 3, 1));

    post(key, QDate(2024, 3, 1));

    const QString expected = expectedErrors(GetParam().errorHead, GetParam().type, key);
    EXPECT_EQ(expected.count(QLatin1String(":La cuenta 99990")), 2) << expected.toStdString();
    EXPECT_EQ(messages.recorded(), (QList<RecordedMessage>{{MessageKind::Information, expected}}));
    EXPECT_TRUE(postings(key).isEmpty()); // no ledger posting, nothing handed to CONTABILIZA_PENDIENTE
}

TEST_P(PostingTest, SecondLedgerErrorsAreShownAndThePostingStillCompletes) {
    // A NIIF ledger that refuses every document with one recorded error.
    session.central().execute(
        QStringLiteral("create or alter procedure %1 (documento integer, interfaz integer, origen integer) "
                       "returns (errores integer, movimientos integer, idcnt integer) as begin "
                       "execute procedure registre_error(%2, documento, 7, 'Cuenta NIIF sin homologar'); "
                       "errores = 1; movimientos = 0; idcnt = 0; suspend; end")
            .arg(QLatin1String(GetParam().niifProcedure))
            .arg(GetParam().type + 1000));
    session.connect();
    const Value key = GetParam().write(session.central(), QDate(2024, 3, 1));

    post(key, QDate(2024, 3, 1));

    const QString expected = QString::fromUtf8(GetParam().niifErrorHead) + "7:Cuenta NIIF sin homologar ";
    EXPECT_EQ(messages.recorded(), (QList<RecordedMessage>{{MessageKind::Information, expected}}));
    EXPECT_EQ(postings(key), QStringList{"LN"}); // CONTABILIZA_PENDIENTE ran with the first ledger's id
}

TEST_P(PostingTest, WithoutInterfaceNothingIsPostedNorShown) {
    const char* table = GetParam().document == PostedDocument::Factura ? "interfaz_ventas" : "interfaz_caja";
    session.central().execute(QStringLiteral("delete from %1 where pref_pre = ?").arg(QLatin1String(table)),
                              {GetParam().prefijo});
    session.connect();
    const Value key = GetParam().write(session.central(), QDate(2024, 3, 1));

    post(key, QDate(2024, 3, 1));

    EXPECT_TRUE(postings(key).isEmpty());
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_P(PostingTest, MissingOpeningYearEndsTheRunBeforeThePendingHandOver) {
    session.connect();
    session.central().execute(
        QStringLiteral("delete from configuracion where conf_propiedad = 'ANO BALANCE DE APERTURA NIIF'"));
    const Value key = GetParam().write(session.central(), QDate(2024, 3, 1));

    EXPECT_THROW(post(key, QDate(2024, 3, 1)), ConversionError);

    EXPECT_TRUE(messages.recorded().contains(RecordedMessage{
        MessageKind::Error, QStringLiteral("No se encontró la configuración ANO BALANCE DE APERTURA NIIF")}));
    EXPECT_EQ(postings(key), QStringList{"LS"}); // first ledger posted, still pending
    EXPECT_FALSE(journaled(key));                // and never posted again
}

INSTANTIATE_TEST_SUITE_P(Documents, PostingTest, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<DocumentKind>& info) { return info.param.name; });

} // namespace
} // namespace quelmaro::test
