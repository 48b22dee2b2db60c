#include "transmission/posting/posting_journal.h"

#include "data/fb/connection.h"
#include "data/recordset/recordset.h"
#include "transmission/run/own_tables.h"
#include "transmission/run/run_report.h"
#include "transmission/run/run_state.h"

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

const QString kQueryName = u"TContabilizacionPendiente"_s;

} // namespace

PostingJournal::PostingJournal(Query& document, PostedDocument kind, const QString& keyField)
    : query_(kQueryName, document.connection()) {
    // The key seen under the header's name links the row like the document's own lines.
    query_.setStatement(
        u"SELECT COPD_ID AS %1, COPD_TIPO, PREF_PRE, COPD_FECHADOC, PTVT_ID, COPD_FECHA "
        u"FROM %2 WHERE COPD_TIPO = %3 AND COPD_ID = :%1"_s.arg(keyField, own_tables::kPendingPostings)
            .arg(documentType(kind)));
    query_.setMaster(document);
}

void PostingJournal::add(RecordSet& header, PostedDocument kind, const Run& run, const PointOfSale& point,
                         const Value& prefijo, const QDate& fecha) {
    RecordSet& journal = header.detail(kQueryName);
    journal.append();
    journal.setValue(u"COPD_TIPO"_s, documentType(kind));
    journal.setValue(u"PREF_PRE"_s, prefijo);
    journal.setValue(u"COPD_FECHADOC"_s, fecha);
    journal.setValue(u"PTVT_ID"_s, point.id);
    journal.setValue(u"COPD_FECHA"_s, run.date());
    journal.post();
}

void finishPendingPostings(Run& run, const PointOfSale& point) {
    const fb::QueryResult pending = run.destination().read(
        u"select copd_tipo, copd_id from %1 where ptvt_id = ? order by copd_fecha, copd_tipo, copd_id"_s.arg(
            own_tables::kPendingPostings),
        {point.id});
    for (const fb::Row& document : pending.rows)
        if (contabilizar(run, postedDocumentOf(int(document.at(0).toInt())), document.at(1)))
            run.report().sent(RunReport::Sent::PendingPosting);
}

} // namespace quelmaro
