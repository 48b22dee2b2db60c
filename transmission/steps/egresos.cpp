#include "transmission/steps/egresos.h"

namespace quelmaro {

namespace {

const CopiedDocumentLayout kEgreso{
    QStringLiteral("TEgresos"),
    QStringLiteral("CEgredes"),
    QStringLiteral("EGRESOS"),
    QStringLiteral("EGRE_ID"),
    QStringLiteral("EGRE_NUMERO"),
    61, // disbursements take their numbering from the receipts' document type
    "CAMBIE_ID_EGRESO",
    {{QStringLiteral("TEgresodet"), QStringLiteral("EGRESOS_DETALLE"), QStringLiteral("EGDE_ITEM"),
      QStringLiteral("select * from egresos_detalle e where egre_id = ?")},
     {QStringLiteral("TEgrecaja"), QStringLiteral("EGRESOS_CAJA"), QStringLiteral("EGCA_ITEM"),
      QStringLiteral("select * from egresos_caja e where egre_id = ?")}},
};

} // namespace

EgresosStep::EgresosStep(fb::Connection& destination, QObject* parent)
    : QObject(parent), CEgredes(destination, kEgreso, this) {}

void EgresosStep::send(Run& run, const PointOfSale& point) {
    run.showProgress(QStringLiteral("Enviando Egresos de caja de ") + run.dateText());
    // One row per inserted disbursement of the day and payment row of it drawn on the point's cash box: a
    // disbursement paid in two rows from the box comes twice, and the second copy finds the first.
    const fb::QueryResult disbursements = run.origin().read(
        QStringLiteral(
            "select * from egresos e, auditoria a, PUNTO_VENTA P, egresos_caja ec where e.egre_id = "
            "a.audi_iddoc and a.audi_oper = 'I' and a.tido_cod = 62 and a.audi_fecha = ? and "
            "p.ptvt_id = ? and p.caja_id = ec.caja_id and e.egre_id = ec.egre_id"),
        {run.date(), point.id});
    for (const fb::Row& row : disbursements.rows)
        copy(run, disbursements, row);
}

void EgresosStep::copy(Run& run, const fb::QueryResult& disbursements, const fb::Row& row) {
    const auto column = [&](const char* name) {
        return row.value(disbursements.columnIndex(QLatin1String(name)));
    };
    const bool copiedBefore = CEgredes.find(disbursements, row);
    CEgredes.copyHeader(row, copiedBefore);
    // Document rows, then payment rows; no bank document is checked for these.
    for (int i = 0; i < CEgredes.header().detailCount(); ++i)
        CEgredes.copyRows(run.origin(), i, column("EGRE_ID"));
    // Failures are reported by the data module; a disbursement is not posted.
    if (CEgredes.apply() == 0 && !copiedBefore)
        run.report().sent(RunReport::Sent::Egreso);
    CEgredes.close();
}

} // namespace quelmaro
