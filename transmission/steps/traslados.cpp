#include "transmission/steps/traslados.h"

#include "transmission/posting/posting.h"

namespace quelmaro {

namespace {

const CopiedDocumentLayout kTraslado{
    QStringLiteral("TTraslados"),
    QStringLiteral("CTraslades"),
    QStringLiteral("TRASLADOS_CAJA"),
    QStringLiteral("TRCJ_ID"),
    QStringLiteral("TRCJ_NUMERO"),
    66,
    "CAMBIE_ID_TRASLACAJA",
    {{QStringLiteral("TTrasladodet"), QStringLiteral("TRASLADOS_CAJA_DET"), QStringLiteral("TRCD_ITEM"),
      QStringLiteral("select * from traslados_caja_det t where trcj_id = ?")}},
    PostedDocument::TrasladoCaja,
};

Value columnOf(const fb::QueryResult& result, const fb::Row& row, const char* name) {
    return row.value(result.columnIndex(QLatin1String(name)));
}

} // namespace

TrasladosStep::TrasladosStep(fb::Connection& destination, QObject* parent)
    : QObject(parent), destination_(destination), CTraslades(destination, kTraslado, this) {}

void TrasladosStep::send(Run& run, const PointOfSale& point) {
    run.showProgress(QStringLiteral("Enviando traslados de caja de ") + run.dateText());
    // One row per inserted transfer of the day whose cash box is the point's.
    const fb::QueryResult transfers = run.origin().read(
        QStringLiteral("select * from traslados_caja t, auditoria a, PUNTO_VENTA P where t.trcj_id = "
                       "a.audi_iddoc and a.audi_oper = 'I' and a.tido_cod = 66 and a.audi_fecha = ? and "
                       "p.ptvt_id = ? and p.caja_id = t.caja_id"),
        {run.date(), point.id});
    for (const fb::Row& row : transfers.rows)
        copy(run, point, transfers, row);
}

void TrasladosStep::copy(Run& run, const PointOfSale& point, const fb::QueryResult& transfers,
                         const fb::Row& row) {
    const Value prefijo = columnOf(transfers, row, "PREF_PRE");
    const bool copiedBefore = CTraslades.find(transfers, row);
    CTraslades.copyHeader(row, copiedBefore);
    const Value cajaId = columnOf(transfers, row, "CAJA_ID");
    CTraslades.copyRows(run.origin(), 0, columnOf(transfers, row, "TRCJ_ID"), [&](RecordSet& line) {
        return line.field(QStringLiteral("FOPA_ID")).asInt() == 1 || bankDocumentInBox(line, cajaId);
    });
    // Writing an earlier copy over again sends nothing new and posts nothing: its postings ran, or the
    // journal still listed them and the point's work finished them before this step.
    if (!copiedBefore)
        CTraslades.askForPostings(run, point, prefijo, columnOf(transfers, row, "TRCJ_FECHA").toDate());
    if (CTraslades.apply() == 0 && !copiedBefore) {
        run.report().sent(RunReport::Sent::Traslado);
        contabilizar(run, PostedDocument::TrasladoCaja, CTraslades.key());
    }
    CTraslades.close();
}

// The cheque or voucher of a line is still in the cash box, or was taken out by this same transfer when it
// was copied before.
bool TrasladosStep::bankDocumentInBox(RecordSet& line, const Value& cajaId) {
    return !destination_
                .read(QStringLiteral(
                          "select * from documentos_pago_caja where fopa_id = ? and dpca_banco = ? and "
                          "dpca_cuenta = ? and dpca_numero = ? and caja_id = ? and "
                          "((dpca_tiposal = 0 and dpca_idsal = 0) or "
                          "(dpca_tiposal = 66 and dpca_idsal = ?))"),
                      {line.value(QStringLiteral("FOPA_ID")), line.value(QStringLiteral("TRCD_BANCO")),
                       line.value(QStringLiteral("TRCD_CUENTA")), line.value(QStringLiteral("TRCD_NUMERO")),
                       cajaId, CTraslades.key()})
                .rows.isEmpty();
}

} // namespace quelmaro
