#include "transmission/posting/posting.h"

#include "data/fb/connection.h"
#include "platform/messages.h"
#include "transmission/run/own_tables.h"
#include "transmission/run/run_report.h"
#include "transmission/run/run_state.h"

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

// The destination's statements and procedures for one kind of document.
struct PostingStatements {
    const char* interfaceLookup;
    const char* posting;             // the procedure that posts to the first ledger
    const char* secondLedgerPosting; // and to the second
    int errorType;
    int secondLedgerErrorType;
    const char* errorHead;
    const char* secondLedgerErrorHead;
};

const PostingStatements& statementsFor(PostedDocument document) {
    static const PostingStatements factura{
        "select min(inve_id) from interfaz_ventas where tido_cod = 31 and pref_pre = ?",
        "contabil_factura",
        "contabil_factura_niif",
        31,
        1031,
        "Se presentaron los siguientes errores en la contabilización: ",
        "Se presentaron los siguientes errores en la contabilización: "};
    static const PostingStatements recibo{
        "select min(incj_id) from interfaz_caja where tido_cod = 61 and pref_pre = ?",
        "contabil_recicaja",
        "contabil_recicaja_niif",
        61,
        1061,
        "Se presentaron los siguientes errores en la contabilización del recibo: ",
        "Se presentaron los siguientes errores en la contabilización niif del recibo: "};
    static const PostingStatements traslado{
        "select min(incj_id) from interfaz_caja where tido_cod = 66 and pref_pre = ?",
        "contabil_traslacaja",
        "contabil_traslacaja_niif",
        66,
        1066,
        "Se presentaron los siguientes errores en la contabilización del trasladoo: ",
        "Se presentaron los siguientes errores en la contabilización niif del traslado: "};
    switch (document) {
    case PostedDocument::Factura:
        return factura;
    case PostedDocument::ReciboCaja:
        return recibo;
    case PostedDocument::TrasladoCaja:
        break;
    }
    return traslado;
}

// The errors the posting recorded for the document, as one line of "code:text " pairs after the head. The
// document stays unposted in that ledger, which the run's report counts as a problem.
void showPostingErrors(Run& run, const QString& head, int errorType, const Value& key) {
    run.report().problem();
    const fb::QueryResult errors = run.destination().read(
        QStringLiteral(
            "select erro_codigo, erro_cadena from errores where erro_tipodoc = ? and erro_iddoc = ?"),
        {errorType, key});
    QString message = head;
    for (const fb::Row& error : errors.rows)
        message += error.at(0).toString() + QLatin1Char(':') + error.at(1).toString() + QLatin1Char(' ');
    platform::messages().information(message);
}

// What the posting block did with a document.
enum Outcome : int {
    kNothingToPost = 0,
    kFirstLedgerErrors = 1,
    kPosted = 2,
    kNoOpeningYear = 3,
    kNotPending = 4, // posted already, by this run or another
};

// The column of a posting procedure's result at `index`, by the name the destination gives it.
QString resultColumn(fb::Connection& destination, const char* procedure, int index) {
    const QList<fb::Column> columns =
        destination.describe(u"select * from "_s + QLatin1String(procedure) + u"(?, ?, 0)"_s);
    if (columns.size() <= index)
        throw std::runtime_error(std::string(procedure) + " no devuelve las columnas esperadas");
    return QLatin1Char('"') + columns.at(index).name + QLatin1Char('"');
}

// One document's whole posting in one statement, so that over a slow link it costs one round trip and a
// run that dies in it leaves nothing done: the journal row taken out, the interface lookup, the first
// ledger, the opening year, the second ledger and the hand-over, in that order and with the same stops as
// step by step. Every stop after the journal row keeps it taken out: the posting ran. Returns the outcome,
// the second ledger's error count and the posting id.
QString postingBlock(fb::Connection& destination, PostedDocument document) {
    const PostingStatements& statements = statementsFor(document);
    // Every stop gives back the block's one row.
    const auto stopWith = [](Outcome value) {
        return u"BEGIN ESTADO = "_s + QString::number(value) + u"; SUSPEND; EXIT; END "_s;
    };
    return u"EXECUTE BLOCK (K BIGINT = ?) RETURNS (ESTADO INTEGER, ERRORES_NIIF BIGINT, IDCNT BIGINT) AS "
           u"DECLARE P VARCHAR(20); DECLARE FECHA DATE; DECLARE INTERFAZ BIGINT; DECLARE ERRORES BIGINT; "
           u"DECLARE APERTURA VARCHAR(200); BEGIN "_s +
           u"DELETE FROM %1 WHERE COPD_TIPO = %2 AND COPD_ID = :K RETURNING PREF_PRE, COPD_FECHADOC "
           u"INTO :P, :FECHA; "_s.arg(own_tables::kPendingPostings)
               .arg(documentType(document)) +
           u"IF (ROW_COUNT = 0) THEN "_s + stopWith(kNotPending) +
           QString::fromLatin1(statements.interfaceLookup).replace(QLatin1Char('?'), u":P"_s) +
           u" INTO :INTERFAZ; IF (INTERFAZ IS NULL) THEN "_s + stopWith(kNothingToPost) +
           u"SELECT FIRST 1 %1, %2 FROM %3(:K, :INTERFAZ, 0) INTO :ERRORES, :IDCNT; "_s.arg(
               resultColumn(destination, statements.posting, 0),
               resultColumn(destination, statements.posting, 2), QLatin1String(statements.posting)) +
           u"IF (ROW_COUNT = 0) THEN "_s + stopWith(kNothingToPost) + u"IF (ERRORES > 0) THEN "_s +
           stopWith(kFirstLedgerErrors) +
           u"SELECT FIRST 1 CONF_VALOR FROM CONFIGURACION WHERE CONF_MODULO = 'CONTABILIDAD' AND "
           u"CONF_CATEGORIA = 'GENERAL' AND CONF_PROPIEDAD = 'ANO BALANCE DE APERTURA NIIF' INTO :APERTURA; "
           u"IF (ROW_COUNT = 0) THEN "_s +
           stopWith(kNoOpeningYear) + u"IF (EXTRACT(YEAR FROM FECHA) >= CAST(APERTURA AS INTEGER)) THEN "_s +
           u"SELECT FIRST 1 %1 FROM %2(:K, :INTERFAZ, :IDCNT) INTO :ERRORES_NIIF; "_s.arg(
               resultColumn(destination, statements.secondLedgerPosting, 0),
               QLatin1String(statements.secondLedgerPosting)) +
           u"EXECUTE PROCEDURE CONTABILIZA_PENDIENTE :IDCNT; "_s + stopWith(kPosted) + u"END"_s;
}

} // namespace

int documentType(PostedDocument document) {
    return statementsFor(document).errorType;
}

PostedDocument postedDocumentOf(int documentType) {
    for (PostedDocument document :
         {PostedDocument::Factura, PostedDocument::ReciboCaja, PostedDocument::TrasladoCaja})
        if (statementsFor(document).errorType == documentType)
            return document;
    throw std::invalid_argument("No posted document has type " + std::to_string(documentType));
}

bool contabilizar(Run& run, PostedDocument document, const Value& key) {
    const PostingStatements& statements = statementsFor(document);
    fb::Connection& destination = run.destination();
    const fb::Row outcome = destination.execute(postingBlock(destination, document), {key});
    switch (outcome.value(0).toInt()) {
    case kNotPending:
        return false;
    case kFirstLedgerErrors:
        showPostingErrors(run, QString::fromUtf8(statements.errorHead), statements.errorType, key);
        break;
    case kNoOpeningYear:
        // The lookup says what is missing, and its empty value ends the run as any value that is no year.
        Value(run.configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                                QStringLiteral("ANO BALANCE DE APERTURA NIIF")))
            .toInt();
        break;
    case kPosted:
        if (!outcome.value(1).isNull() && outcome.value(1).toInt() > 0)
            showPostingErrors(run, QString::fromUtf8(statements.secondLedgerErrorHead),
                              statements.secondLedgerErrorType, key);
        break;
    default:
        break;
    }
    return true;
}

} // namespace quelmaro
