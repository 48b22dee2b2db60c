#include "transmission/posting/pending_postings.h"

#include "data/fb/connection.h"
#include "transmission/posting/posting.h"
#include "transmission/run/run_report.h"
#include "transmission/run/run_state.h"

#include <optional>

namespace quelmaro {

namespace {

// The documents the transmission wrote for a point and day, with their handed-over postings: the invoices
// with a send record, the receipts that pay them, the transfers out of the point's cash box. Columns: type,
// key, prefix, date, first-ledger posting, second-ledger posting (null when missing or not handed over).
const char* const kSentDocuments = R"(
select 31, f.fact_id, f.pref_pre, f.fact_fecha from facturas f
 where f.fact_fecha = :fecha and f.ptvt_id = :punto and f.fact_anulado = 'N'
   and exists (select 1 from envio_resumdia e where e.enre_factid = f.fact_id)
   and exists (select 1 from interfaz_ventas i where i.tido_cod = 31 and i.pref_pre = f.pref_pre)
union all
select 61, r.reca_id, r.pref_pre, r.reca_fecha from recibos_caja r
 where r.reca_fecha = :fecha and r.reca_anulado = 'N'
   and exists (select 1 from recibos_caja_detalle d join facturas f on f.fact_id = d.rcde_iddoc
                 join envio_resumdia e on e.enre_factid = f.fact_id
                where d.reca_id = r.reca_id and f.ptvt_id = :punto)
   and exists (select 1 from interfaz_caja i where i.tido_cod = 61 and i.pref_pre = r.pref_pre)
union all
select 66, t.trcj_id, t.pref_pre, t.trcj_fecha from traslados_caja t
 where t.trcj_fecha = :fecha and t.caja_id = :caja
   and exists (select 1 from interfaz_caja i where i.tido_cod = 66 and i.pref_pre = t.pref_pre))";

PostedDocument documentOf(std::int64_t type) {
    switch (type) {
    case 31:
        return PostedDocument::Factura;
    case 61:
        return PostedDocument::ReciboCaja;
    default:
        return PostedDocument::TrasladoCaja;
    }
}

QString pendingStatement() {
    return QStringLiteral(
               "execute block (fecha date = ?, punto integer = ?, caja integer = ?) returns (tipo integer, "
               "id integer, prefijo varchar(4), dia date, local_id integer, niif_id integer) as begin "
               "for %1 into :tipo, :id, :prefijo, :dia do begin "
               "local_id = null; niif_id = null; "
               "select first 1 l.cnt_id from contable l where l.cnt_libro = 'L' and l.tido_cod = :tipo and "
               "l.cnt_iddoc = :id and l.cnt_pendiente = 'N' into :local_id; "
               "select first 1 n.cnt_id from contable n where n.cnt_libro = 'N' and n.cnt_origen = "
               ":local_id and n.cnt_pendiente = 'N' into :niif_id; "
               "suspend; end end")
        .arg(QString::fromLatin1(kSentDocuments));
}

} // namespace

void finishPendingPostings(Run& run, const PointOfSale& point) {
    const fb::QueryResult documents =
        run.destination().read(pendingStatement(), {run.date(), point.id, point.caja});
    std::optional<std::int64_t> openingYear; // read only when a document lacks its second ledger
    for (const fb::Row& document : documents.rows) {
        const QDate fecha = document.at(3).toDate();
        bool pending = document.at(4).isNull();
        if (!pending && document.at(5).isNull()) {
            if (!openingYear)
                openingYear =
                    Value(run.configuracion(QStringLiteral("CONTABILIDAD"), QStringLiteral("GENERAL"),
                                            QStringLiteral("ANO BALANCE DE APERTURA NIIF")))
                        .toInt();
            pending = fecha.year() >= *openingYear;
        }
        if (!pending)
            continue;
        contabilizar(run, documentOf(document.at(0).toInt()), document.at(1), document.at(2).toString(),
                     fecha);
        run.report().sent(RunReport::Sent::PendingPosting);
    }
}

} // namespace quelmaro
