#include "transmission/run/driver.h"

#include "data/fb/connection.h"
#include "data/fb/error.h"
#include "data/recordset/recordset.h"
#include "platform/guard.h"
#include "platform/messages.h"
#include "transmission/posting/posting_journal.h"
#include "transmission/run/work_lock.h"

#include <functional>
#include <stdexcept>

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

// Does one piece of the run's work. An error that ends it is reported as any error that ends a handler, and
// the run goes on with the next piece, except when the connection is gone: nothing more can be sent then.
// Work during which the operator was told of a problem counts as failed.
void attempt(Run& run, const QString& work, const std::function<void()>& send) {
    RunReport& report = run.report();
    const int problemsBefore = report.problems();
    try {
        send();
    } catch (const std::exception& error) {
        if (fb::isConnectionLost(QString::fromUtf8(error.what()))) {
            report.interrupted(work);
            throw;
        }
        platform::reportCurrentError();
        report.failed(work);
        // A document left half built must not be written with the next point's.
        run.CFactura().cancelUpdates();
        run.CRecibo().cancelUpdates();
    }
    if (report.problems() != problemsBefore)
        report.failed(work);
}

void sendPoint(Run& run, const PointOfSale& point, const StepChoice& choice, const Steps& steps) {
    const QString work = QStringLiteral("punto ") + point.id.toString() + QLatin1Char(' ') + run.dateText();
    attempt(run, work, [&] {
        const WorkLock lock(run.destination(), WorkLock::Work::PointOfSale, point.id, run.date(),
                            QStringLiteral("el punto ") + point.id.toString() + QStringLiteral(" del ") +
                                run.dateText());
        finishPendingPostings(run, point);
        const std::pair<StepKind, PointStep*> order[] = {{StepKind::Ventas, &steps.ventas},
                                                         {StepKind::Recibos, &steps.recibos},
                                                         {StepKind::Traslados, &steps.traslados},
                                                         {StepKind::Egresos, &steps.egresos}};
        for (const auto& [kind, step] : order) {
            if (choice.isChecked(kind))
                step->send(run, point);
        }
    });
}

void sendCustomers(Run& run, DateStep& clientes) {
    const QString work = QStringLiteral("clientes ") + run.dateText();
    attempt(run, work, [&] {
        const WorkLock lock(run.destination(), WorkLock::Work::Customers, 0, run.date(),
                            QStringLiteral("los clientes del ") + run.dateText());
        clientes.send(run);
    });
}

} // namespace

QList<PointOfSale> selectPoints(Run& run, const QString& first, const QString& last, const QString& agencia) {
    const std::int64_t from = wholeNumber(first);
    const std::int64_t to = wholeNumber(last);
    const std::int64_t branch = wholeNumber(agencia);
    // A branch the origin does not know would send nothing, and nothing would tell.
    if (branch != 0 && run.origin()
                           .read(QStringLiteral("select 1 from sucursales where sucu_id = ?"), {branch})
                           .rows.isEmpty()) {
        run.report().refuse();
        throw std::runtime_error(QStringLiteral("La agencia %1 no existe en la compañía de origen: no hay "
                                                "puntos de venta que enviar.")
                                     .arg(branch)
                                     .toStdString());
    }
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
    const RunReport::ErrorWatch errors(run.report());
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
            run.report().failed(QStringLiteral("puntos ") + run.dateText());
        } else {
            for (const PointOfSale& point : points)
                sendPoint(run, point, choice, steps);
        }
        run.CFactura().close();
        run.CRecibo().close();

        if (choice.isChecked(StepKind::Clientes))
            sendCustomers(run, steps.clientes);
    }
}

} // namespace quelmaro
