#include "transmission/run/driver.h"

#include "data/fb/connection.h"
#include "data/recordset/recordset.h"
#include "platform/messages.h"

namespace quelmaro {

namespace {

// A range or branch field as typed: surrounding spaces do not matter, anything else must be a whole number.
std::int64_t wholeNumber(const QString& text) {
    return Value(text.trimmed()).toInt();
}

PointOfSale pointFrom(const fb::QueryResult& result, const fb::Row& row) {
    const auto column = [&](const char* name) {
        const int index = result.columnIndex(QString::fromLatin1(name));
        return index < 0 ? Value() : row.at(index);
    };
    return PointOfSale{column("PTVT_ID"), column("PTVT_NOM"), column("BODE_COD"), column("TERC_NIT"),
                       column("CAJA_ID"), column("PREF_PRE"), column("SUCU_ID")};
}

// An invoice stored under key 0 was left by a run that did not finish its numbering.
bool hasStrandedInvoice(RecordSet& factura) {
    factura.close();
    factura.fetchParameters();
    factura.setParameter(QStringLiteral("ID"), QStringLiteral("0"));
    factura.open();
    return !factura.isEmpty();
}

void sendPoint(Run& run, const PointOfSale& point, const StepChoice& choice, const Steps& steps) {
    const std::pair<StepKind, PointStep*> order[] = {{StepKind::Ventas, &steps.ventas},
                                                     {StepKind::Recibos, &steps.recibos},
                                                     {StepKind::Traslados, &steps.traslados},
                                                     {StepKind::Egresos, &steps.egresos}};
    for (const auto& [kind, step] : order) {
        if (choice.isChecked(kind))
            step->send(run, point);
    }
}

} // namespace

QList<PointOfSale> selectPoints(Run& run, const QString& first, const QString& last, const QString& agencia) {
    const std::int64_t from = wholeNumber(first);
    const std::int64_t to = wholeNumber(last);
    const std::int64_t branch = wholeNumber(agencia);
    const fb::QueryResult result =
        branch == 0
            ? run.origin().query(QStringLiteral("select * from punto_venta where ptvt_activo = 'S' and "
                                                "ptvt_id >= ? and ptvt_id <= ? order by ptvt_id"),
                                 {from, to})
            : run.origin().query(QStringLiteral("select * from punto_venta where ptvt_activo = 'S' and "
                                                "sucu_id = ? and ptvt_id >= ? and ptvt_id <= ? "
                                                "order by ptvt_id"),
                                 {branch, from, to});
    QList<PointOfSale> points;
    for (const fb::Row& row : result.rows)
        points.append(pointFrom(result, row));
    return points;
}

void runDates(Run& run, const RunPeriod& period, PointRange& range, const StepChoice& choice,
              const Steps& steps) {
    for (QDate date = period.from; date <= period.to; date = date.addDays(1)) {
        run.setDate(date);
        if (range.first().isEmpty())
            range.setFirst(QStringLiteral("0"));
        if (range.last().isEmpty())
            range.setLast(QStringLiteral("999999"));
        const QList<PointOfSale> points = selectPoints(run, range.first(), range.last(), period.agencia);
        run.hideProgress();

        if (hasStrandedInvoice(run.CFactura())) {
            platform::messages().information(
                QStringLiteral("Se encontró una factura previa que no está correctamente registrada."));
        } else {
            for (const PointOfSale& point : points)
                sendPoint(run, point, choice, steps);
        }
        run.CFactura().close();
        run.CRecibo().close();

        if (choice.isChecked(StepKind::Clientes))
            steps.clientes.send(run);
    }
}

} // namespace quelmaro
