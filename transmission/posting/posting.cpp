#include "transmission/posting/posting.h"

#include "data/fb/connection.h"
#include "platform/messages.h"
#include "transmission/run/run_report.h"
#include "transmission/run/run_state.h"

namespace quelmaro {

namespace {

// The destination's statements for one kind of document. Each takes its values as bound parameters.
struct PostingStatements {
    const char* interfaceLookup;
    const char* posting;
    const char* secondLedgerPosting;
    int errorType;
    int secondLedgerErrorType;
    const char* errorHead;
    const char* secondLedgerErrorHead;
};

const PostingStatements& statementsFor(PostedDocument document) {
    static const PostingStatements factura{
        "select min(inve_id) from interfaz_ventas where tido_cod = 31 and pref_pre = ?",
        "select * from contabil_factura(?, ?, 0)",
        "select * from contabil_factura_niif(?, ?, ?)",
        31,
        1031,
        "Se presentaron los siguientes errores en la contabilización: ",
        "Se presentaron los siguientes errores en la contabilización: "};
    static const PostingStatements recibo{
        "select min(incj_id) from interfaz_caja where tido_cod = 61 and pref_pre = ?",
        "select * from contabil_recicaja(?, ?, 0)",
        "select * from contabil_recicaja_niif(?, ?, ?)",
        61,
        1061,
        "Se presentaron los siguientes errores en la contabilización del recibo: ",
        "Se presentaron los siguientes errores en la contabilización niif del recibo: "};
    static const PostingStatements traslado{
        "select min(incj_id) from interfaz_caja where tido_cod = 66 and pref_pre = ?",
        "select * from contabil_traslacaja(?, ?, 0)",
        "select * from contabil_traslacaja_niif(?, ?, ?)",
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

} // namespace

void contabilizar(Run& run, PostedDocument document, const Value& key, const QString& prefijo,
                  const QDate& fecha) {
    const PostingStatements& statements = statementsFor(document);
    fb::Connection& destination = run.destination();

    const fb::QueryResult interfaces =
        destination.read(QString::fromLatin1(statements.interfaceLookup), {prefijo});
    if (interfaces.rows.isEmpty() || interfaces.rows.first().at(0).toString().isEmpty())
        return;
    const Value interfaz = interfaces.rows.first().at(0);

    const fb::QueryResult posting =
        destination.query(QString::fromLatin1(statements.posting), {key, interfaz});
    if (posting.rows.isEmpty())
        return;
    const std::int64_t errorCount = posting.rows.first().at(0).toInt();
    const std::int64_t idcnt = posting.rows.first().at(2).toInt();
    if (errorCount > 0) {
        showPostingErrors(run, QString::fromUtf8(statements.errorHead), statements.errorType, key);
        return;
    }

    // Read for every document: the opening year may change between two documents of a run.
    const std::int64_t openingYear =
        Value(run.configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                                QStringLiteral("ANO BALANCE DE APERTURA NIIF")))
            .toInt();
    if (fecha.year() >= openingYear) {
        const fb::QueryResult secondLedger =
            destination.query(QString::fromLatin1(statements.secondLedgerPosting), {key, interfaz, idcnt});
        if (!secondLedger.rows.isEmpty() && secondLedger.rows.first().at(0).toInt() > 0)
            showPostingErrors(run, QString::fromUtf8(statements.secondLedgerErrorHead),
                              statements.secondLedgerErrorType, key);
    }
    destination.execute(QStringLiteral("execute procedure CONTABILIZA_PENDIENTE ?"), {idcnt});
}

} // namespace quelmaro
