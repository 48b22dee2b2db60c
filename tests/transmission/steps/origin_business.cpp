#include "tests/transmission/steps/origin_business.h"

#include "data/fb/transaction.h"

namespace quelmaro::test {

namespace {

Value textOrNull(const QString& text) {
    return text.isEmpty() ? Value() : Value(text);
}

} // namespace

Business::Business(fb::Connection& company, const QDate& date, const QString& time)
    : transaction_(company.startTransaction()), date_(date) {
    transaction_->query(
        QStringLiteral("select rdb$set_context('USER_TRANSACTION', 'AUDITORIA_FECHA', ?), "
                       "rdb$set_context('USER_TRANSACTION', 'AUDITORIA_HORA', ?) from rdb$database"),
        {date.toString(Qt::ISODate), time});
}

Business::~Business() = default;

void Business::commit() {
    transaction_->commit();
}

void Business::execute(const QString& sql, const QList<Value>& params) {
    transaction_->execute(sql, params);
}

Value Business::key(const char* procedure) {
    return transaction_->execute(QStringLiteral("execute procedure ") + QLatin1String(procedure)).value(0);
}

Value Business::invoice(int point, int vendedor, const QList<Line>& lines, const QList<Payment>& payments) {
    const Value id = key("cambie_id_factura");
    Fixed total;
    for (const Line& line : lines)
        total += line.cantidad * line.precio + line.iva + line.consumo;
    transaction_->execute(
        QStringLiteral("insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, fact_fecha, "
                       "fact_ivainc, pref_pre, fact_anulado, fact_total, bode_cod, numok) "
                       "select ?, ptvt_id, ?, terc_nit, '000000', ?, 'N', pref_pre, 'N', ?, bode_cod, 'N' "
                       "from punto_venta where ptvt_id = ?"),
        {id, vendedor, date_, total, point});
    int item = 0;
    for (const Line& line : lines)
        transaction_->execute(
            QStringLiteral(
                "insert into facturas_detalle (fact_id, fade_item, bode_cod, arti_cod, fade_cant, "
                "fade_unidad, fade_prunit, fade_ivamonto, fade_consumo, fade_anulado) "
                "select fact_id, ?, bode_cod, ?, ?, 'UND', ?, ?, ?, 'N' from facturas where fact_id = ?"),
            {++item, line.articulo, line.cantidad, line.precio, line.iva, line.consumo, id});
    item = 0;
    for (const Payment& payment : payments) {
        ++item;
        const bool document = payment.forma != 1 && payment.forma != 5;
        transaction_->execute(
            QStringLiteral("insert into facturas_pago (fact_id, fapa_item, fopa_id, fapa_banco, fapa_cuenta, "
                           "fapa_numero, fapa_fecha, fapa_monto) values (?, ?, ?, ?, ?, ?, ?, ?)"),
            {id, item, payment.forma, textOrNull(payment.banco),
             document ? Value(QStringLiteral("0400%1").arg(id.toInt())) : Value(),
             document ? Value(QStringLiteral("CH%1-%2").arg(id.toInt()).arg(item)) : Value(), date_,
             payment.monto});
    }
    return id;
}

Value Business::transfer(const QString& prefijo, const QString& numero, int caja, int destino,
                         const QList<TransferLine>& lines) {
    const Value id = key("cambie_id_traslacaja");
    transaction_->execute(
        QStringLiteral("insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_conc, "
                       "trcj_anulado, trcj_transmit, caja_id, trcj_destino, trcj_usuario, numok) "
                       "values (?, ?, ?, ?, 'TRASLADO DE PRUEBA', 'N', 'N', ?, ?, 'CAJERO', 'S')"),
        {id, prefijo, numero, date_, caja, destino});
    int item = 0;
    for (const TransferLine& line : lines)
        transaction_->execute(
            QStringLiteral(
                "insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_banco, trcd_cuenta, "
                "trcd_numero, trcd_fecha, trcd_monto, trcd_anulado, trcd_transmit) "
                "values (?, ?, ?, ?, ?, ?, ?, ?, 'N', 'N')"),
            {id, ++item, line.forma, textOrNull(line.banco), textOrNull(line.cuenta), textOrNull(line.numero),
             date_, line.monto});
    return id;
}

Value Business::disbursement(const QString& prefijo, const QString& numero,
                             const QList<std::pair<int, Fixed>>& payments) {
    const Value id = key("cambie_id_egreso");
    Fixed total;
    for (const auto& payment : payments)
        total += payment.second;
    // Withholdings left empty: the copy writes them as 0.
    transaction_->execute(
        QStringLiteral(
            "insert into egresos (egre_id, tido_cod, pref_pre, egre_numero, egre_fecha, egre_conc, "
            "egre_monto, egre_nomterc, egre_anulado, egre_transmit, egre_tipo, caja_id, egre_usuario, "
            "numok, cleg_id) "
            "values (?, 62, ?, ?, ?, 'GASTO DE PRUEBA', ?, 'VARIOS', 'N', 'N', 'G', ?, 'CAJERO', 'S', 1)"),
        {id, prefijo, numero, date_, total, payments.value(0).first});
    transaction_->execute(
        QStringLiteral(
            "insert into egresos_detalle (egre_id, egde_item, egde_tipodoc, egde_prefijo, egde_numero, "
            "egde_abono, egde_anulado, egde_transmit) values (?, 1, 21, 'C001', '000001', ?, 'N', 'N')"),
        {id, total});
    int item = 0;
    for (const auto& [caja, monto] : payments)
        transaction_->execute(
            QStringLiteral(
                "insert into egresos_caja (egre_id, egca_item, caja_id, fopa_id, egca_fecha, egca_monto, "
                "egca_anulado, egca_transmit) values (?, ?, ?, 1, ?, ?, 'N', 'N')"),
            {id, ++item, caja, date_, monto});
    return id;
}

} // namespace quelmaro::test
