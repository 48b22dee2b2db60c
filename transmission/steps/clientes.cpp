#include "transmission/steps/clientes.h"

#include "transmission/steps/document_copy.h"

namespace quelmaro {

ClientesStep::ClientesStep(fb::Connection& destination, QObject* parent)
    : QObject(parent), TTercero_(QStringLiteral("TTercero"), destination),
      TClientes_(QStringLiteral("TClientes"), destination),
      PTerceros_(QStringLiteral("PTerceros"), TTercero_, this),
      PClientes_(QStringLiteral("PClientes"), TClientes_, this),
      CTerceros_(QStringLiteral("CTerceros"), this), CClientes_(QStringLiteral("CClientes"), this) {
    TTercero_.setStatement(QStringLiteral("SELECT * FROM TERCEROS WHERE TERC_NIT = :NIT"));
    TClientes_.setStatement(QStringLiteral("SELECT * FROM CLIENTES WHERE TERC_NIT = :NIT"));
    CTerceros_.setProvider(&PTerceros_);
    CClientes_.setProvider(&PClientes_);
}

ClientesStep::~ClientesStep() = default;

void ClientesStep::send(Run& run) {
    run.showProgress(QStringLiteral("Enviando clientes creados en ") + run.dateText());
    // Any audited operation of the day: a customer created and changed again is copied twice, the second
    // copy over the first.
    copyAll(run,
            QStringLiteral(
                "select * from terceros t, auditoria a where terc_nit = a.audi_cod and a.tido_cod = 102 "
                "and a.audi_fecha = ?"),
            CTerceros_);
    copyAll(run,
            QStringLiteral(
                "select * from CLIENTES t, auditoria a where terc_nit = a.audi_cod and a.tido_cod = 103 "
                "and a.audi_fecha = ?"),
            CClientes_);
}

void ClientesStep::copyAll(Run& run, const QString& originStatement, RecordSet& target) {
    const fb::QueryResult rows = run.origin().read(originStatement, {run.date()});
    for (const fb::Row& row : rows.rows)
        if (copy(row, target))
            run.report().sent(RunReport::Sent::Cliente);
}

// The row's first column is the tax id that finds the destination's record.
bool ClientesStep::copy(const fb::Row& row, RecordSet& target) {
    target.close();
    target.setParameter(QStringLiteral("NIT"), row.value(0));
    target.open();
    if (target.isEmpty())
        target.append();
    else
        target.edit();
    copyByPosition(row, target);
    target.post();
    // Failures are reported by the data module; the next record is copied all the same.
    const bool written = target.applyUpdates() == 0;
    target.close();
    return written;
}

} // namespace quelmaro
