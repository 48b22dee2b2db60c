#include "transmission/steps/recibos.h"

#include "data/fb/connection.h"
#include "data/recordset/recordset.h"
#include "platform/messages.h"
#include "transmission/posting/posting_journal.h"
#include "transmission/steps/lookup.h"

#include <optional>

namespace quelmaro {

namespace {

// The nested sets of the receipt, named after the data module's detail queries they read.
RecordSet& lineOf(RecordSet& recibo) {
    return recibo.detail(QStringLiteral("TRecidetalle"));
}

RecordSet& paymentsOf(RecordSet& recibo) {
    return recibo.detail(QStringLiteral("TRecipago"));
}

const QString kNo = QStringLiteral("N");

} // namespace

RecibosStep::RecibosStep(fb::Connection& destination) : destination_(destination) {}

void RecibosStep::send(Run& run, const PointOfSale& point) {
    run.showProgress(QStringLiteral("Enviando recibo punto ") + point.nombre.toString() + QLatin1Char(' ') +
                     run.dateText() + QStringLiteral(" ..."));
    sendReceipt(run, point);
    run.hideProgress();
}

void RecibosStep::sendReceipt(Run& run, const PointOfSale& point) {
    if (!findInvoiceToPay(run, point))
        return;
    RecordSet& recibo = run.CRecibo();
    if (hasStrandedReceipt(recibo)) {
        platform::messages().information(
            QStringLiteral("Se encontró un recibo previo que no está correctamente registrado."));
        run.report().problem();
        return;
    }
    const fb::QueryResult payments = run.origin().read(
        QStringLiteral("select * from RESUMEN_CAJA_TX(?, ?, ?)"), {run.date(), point.id, paidSince_});
    if (payments.rows.isEmpty())
        return;

    recibo.append();
    CReciboAfterInsert(run, point, recibo);
    addInvoiceLine(recibo, run.state().lastInvoice);
    int item = 0;
    for (const fb::Row& row : payments.rows)
        addPayment(paymentsOf(recibo), payments, row, ++item, run.date());
    settleAmount(recibo, run.state().lastInvoice.total);
    PostingJournal::add(recibo, PostedDocument::ReciboCaja, run, point,
                        recibo.field(QStringLiteral("PREF_PRE")).asString(),
                        recibo.field(QStringLiteral("RECA_FECHA")).asDate());
    if (!applyOrDiscard(recibo,
                        QStringLiteral("Se produjeron errores durante la transmisión de las formas de "
                                       "pago del punto: ") +
                            point.nombre.toString()))
        return;
    run.report().sent(RunReport::Sent::Recibo);
    contabilizar(run, PostedDocument::ReciboCaja, recibo.value(QStringLiteral("RECA_ID")));
}

// The day's last invoice of the point in the destination becomes the run's last invoice, unless there is
// none or a receipt that is not voided already pays it. Then the receipt pays the payments made after the
// send before that invoice's own. That is the run's time mark when the sales step has just sent the
// invoice, but not when a run ended between an invoice and its receipt: the next run's time mark is past
// that invoice, which would stay unpaid. An invoice without a send record is paid with the payments after
// the run's time mark.
bool RecibosStep::findInvoiceToPay(Run& run, const PointOfSale& point) {
    // With a receipt that pays it, if there is one, and the time of its send and of the send before.
    const fb::QueryResult invoices = destination_.read(
        QStringLiteral("select first 1 f.fact_id, f.fact_numero, f.pref_pre, f.fact_total, f.terc_nit, "
                       "f.fact_nomcliente, r.reca_id, r.reca_numero, r.pref_pre, "
                       "(select max(s.enre_hora) from envio_resumdia s where s.enre_factid = f.fact_id), "
                       "(select max(b.enre_hora) from envio_resumdia b where b.ptvt_id = f.ptvt_id and "
                       "b.enre_fecha = f.fact_fecha and b.enre_hora < (select max(s.enre_hora) from "
                       "envio_resumdia s where s.enre_factid = f.fact_id)) from facturas f "
                       "left join (recibos_caja_detalle d join recibos_caja r on r.reca_id = d.reca_id and "
                       "r.reca_anulado = 'N') on d.rcde_iddoc = f.fact_id "
                       "where f.fact_fecha = ? and f.fact_anulado = 'N' and f.ptvt_id = ? "
                       "order by f.fact_id desc"),
        {run.date(), point.id});
    if (invoices.rows.isEmpty()) {
        if (!run.settings().unattended())
            platform::messages().information(QStringLiteral("No hay ventas del dia ") + run.dateText() +
                                             QStringLiteral(" en el punto ") + point.id.toString());
        return false;
    }
    const fb::Row& invoice = invoices.rows.first();
    LastInvoice& last = run.state().lastInvoice;
    last = LastInvoice{invoice.value(0),           invoice.value(1), invoice.value(2),
                       invoice.value(3).toFixed(), invoice.value(4), invoice.value(5)};
    const QString before = invoice.value(10).toString();
    paidSince_ = invoice.value(9).isNull() ? run.state().timeMark
                 : before.isEmpty()        ? QStringLiteral("00:00:00")
                                           : before;
    if (invoice.value(6).isNull())
        return true;
    const fb::Row receipt = invoice.mid(7);
    platform::messages().information(QStringLiteral("El recibo de caja No. ") + receipt.value(1).toString() +
                                     receipt.value(0).toString() + QStringLiteral(" ya abono la factura ") +
                                     last.numero.toString());
    return false;
}

// A receipt stored under key 0 was left by a run that did not finish its numbering.
bool RecibosStep::hasStrandedReceipt(RecordSet& recibo) {
    recibo.close();
    recibo.fetchParameters();
    recibo.setParameter(QStringLiteral("ID"), QStringLiteral("0"));
    recibo.open();
    return !recibo.isEmpty();
}

void RecibosStep::CReciboAfterInsert(Run& run, const PointOfSale& point, RecordSet& recibo) {
    // The new key, the authorised prefix, its current number and the collector in one round trip. Without
    // an authorised prefix or its current number these stay empty and the header cannot be stored.
    const fb::Row header = destination_.execute(
        QStringLiteral(
            "execute block (prefijo varchar(100) = ?, punto integer = ?) returns (id bigint, "
            "pref_pre type of column autorizaciones.auto_prefrdc, numero type of column "
            "prefijos.pref_actual, "
            "cobrador type of column vendedores.vend_cod) as begin "
            "execute procedure cambie_id_recicaja returning_values :id; "
            "pref_pre = (select first 1 auto_prefrdc from autorizaciones where pref_pre = :prefijo); "
            "numero = (select first 1 pref_actual from prefijos where tido_cod = 61 and pref_pre = "
            ":pref_pre); "
            "cobrador = (select min(vend_cod) from vendedores where ptvt_id = :punto); suspend; end"),
        {point.prefijo, point.id});
    recibo.setValue(QStringLiteral("RECA_ID"), header.value(0));
    recibo.setValue(QStringLiteral("CAJA_ID"), point.caja);
    recibo.setValue(QStringLiteral("TIDO_COD"), 61);
    recibo.setValue(QStringLiteral("PREF_PRE"), header.value(1));
    recibo.setValue(QStringLiteral("RECA_NUMERO"), header.value(2));
    recibo.setValue(QStringLiteral("RECA_FECHA"), run.date());
    recibo.setValue(QStringLiteral("RECA_CONC"), QStringLiteral("Cancela ventas contado ") + run.dateText());
    for (const char* name : {"RECA_RTFTEMONTO", "RECA_RTIVAMONTO", "RECA_RTICAMONTO", "RECA_DTOF"})
        recibo.setValue(QLatin1String(name), Fixed());
    const LastInvoice& last = run.state().lastInvoice;
    recibo.setValue(QStringLiteral("TERC_NIT"), last.nit);
    recibo.setValue(QStringLiteral("RECA_NOMTERC"), last.nombre);
    recibo.setValue(QStringLiteral("COBR_COD"), header.value(3).toInt());
    for (const char* name : {"RECA_ANULADO", "RECA_TRANSMIT", "NUMOK"})
        recibo.setValue(QLatin1String(name), kNo);
    recibo.setValue(QStringLiteral("RECA_USUARIO"), run.settings().originUser);
}

// The one line: the last invoice, paid in full until the payments say otherwise.
void RecibosStep::addInvoiceLine(RecordSet& recibo, const LastInvoice& last) {
    RecordSet& line = lineOf(recibo);
    line.append(); // stores the new header first
    line.setValue(QStringLiteral("RCDE_ITEM"), 1);
    line.setValue(QStringLiteral("RCDE_TIPODOC"), 31);
    line.setValue(QStringLiteral("RCDE_IDDOC"), last.id);
    line.setValue(QStringLiteral("RCDE_PREFIJO"), last.prefijo);
    line.setValue(QStringLiteral("RCDE_NUMERO"), last.numero);
    line.setValue(QStringLiteral("RCDE_ABONO"), last.total);
    for (const char* name : {"RCDE_RTFTE", "RCDE_RTIVA", "RCDE_RTICA", "RCDE_DTOF"})
        line.setValue(QLatin1String(name), Fixed());
    line.setValue(QStringLiteral("RCDE_ANULADO"), kNo);
    line.setValue(QStringLiteral("RCDE_TRANSMIT"), kNo);
    line.setValue(QStringLiteral("RCDE_SUCURSAL"), QStringLiteral("01"));
    line.post();
}

void RecibosStep::addPayment(RecordSet& pagos, const fb::QueryResult& payments, const fb::Row& row, int item,
                             const QDate& fecha) {
    const auto column = [&](const char* name) {
        return row.value(payments.columnIndex(QLatin1String(name)));
    };
    pagos.append();
    pagos.setValue(QStringLiteral("RCPA_ITEM"), item);
    pagos.setValue(QStringLiteral("FOPA_ID"), column("FORMA"));
    // A bank code of three characters: the column keeps the first two.
    pagos.setValue(QStringLiteral("RCPA_BANCO"), column("BANCO"));
    pagos.setValue(QStringLiteral("RCPA_CUENTA"), column("CUENTA"));
    pagos.setValue(QStringLiteral("RCPA_NUMERO"), column("NUMERO"));
    pagos.setValue(QStringLiteral("RCPA_FECHA"), fecha);
    pagos.setValue(QStringLiteral("RCPA_MONTO"), column("MONTO"));
    pagos.setValue(QStringLiteral("RCPA_ANULADO"), kNo);
    pagos.setValue(QStringLiteral("RCPA_TRANSMIT"), kNo);
    pagos.setValue(QStringLiteral("RCPA_IVAMONTO"), Fixed());
    pagos.post();
}

// The receipt pays what was paid, up to the invoice's total: an excess comes off the cash payment (form 1),
// or off the payment added last when there is none in cash.
void RecibosStep::settleAmount(RecordSet& recibo, Fixed total) {
    RecordSet& pagos = paymentsOf(recibo);
    std::optional<Fixed> paid;
    for (pagos.first(); !pagos.eof(); pagos.next())
        if (!pagos.field(QStringLiteral("RCPA_MONTO")).isNull())
            paid = paid.value_or(Fixed()) + pagos.field(QStringLiteral("RCPA_MONTO")).asFixed();
    if (!paid)
        return;
    Fixed amount = *paid;
    if (*paid > total) {
        pagos.last();
        pagos.locate(QStringLiteral("FOPA_ID"), 1);
        pagos.edit();
        pagos.setValue(QStringLiteral("RCPA_MONTO"),
                       pagos.field(QStringLiteral("RCPA_MONTO")).asFixed() - (*paid - total));
        pagos.post();
        amount = total;
    } else {
        RecordSet& line = lineOf(recibo);
        line.edit();
        line.setValue(QStringLiteral("RCDE_ABONO"), amount);
        line.post();
    }
    recibo.edit();
    recibo.setValue(QStringLiteral("RECA_MONTO"), amount);
    recibo.post();
}

} // namespace quelmaro
