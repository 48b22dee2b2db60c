#include "bench/transmission/floor.h"

#include "data/fb/connection.h"
#include "data/fb/statement.h"
#include "data/fb/transaction.h"
#include "data/types/datetime.h"

namespace quelmaro::bench {

namespace {

struct Point {
    Value id, bodega, nit, caja, prefijo;
};

Value first(fb::Transaction& transaction, const QString& sql, const QList<Value>& params) {
    const fb::QueryResult result = transaction.query(sql, params);
    return result.rows.isEmpty() ? Value() : result.rows.first().at(0);
}

// Posts one document to both ledgers and hands it over, as the transmission does.
void post(fb::Connection& destination, const char* interfaceLookup, const char* posting, const char* niif,
          const Value& key, const Value& prefijo) {
    const fb::QueryResult interfaces = destination.query(QString::fromLatin1(interfaceLookup), {prefijo});
    const Value interfaz = interfaces.rows.first().at(0);
    if (interfaz.isNull())
        return;
    const fb::Row result = destination.query(QString::fromLatin1(posting), {key, interfaz}).rows.first();
    if (result.at(0).toInt() > 0)
        return;
    destination.query(QString::fromLatin1(niif), {key, interfaz, result.at(2)});
    destination.execute(QStringLiteral("execute procedure contabiliza_pendiente ?"), {result.at(2)});
}

// The summary invoice of one point and date in one transaction; its key, or null when nothing was sold.
Value sendSales(fb::Connection& origin, fb::Connection& destination, const Point& point, const QDate& date,
                const QString& user, long& written) {
    const fb::QueryResult sales = origin.query(
        QStringLiteral("select prefijo, vendedor, articulo, unidad, cantidad, precio, iva, consumo from "
                       "resumen_ventas_tx(?, ?, '00:00:00')"),
        {date, point.id});
    if (sales.rows.isEmpty())
        return {};
    const Value id = destination.execute(QStringLiteral("execute procedure cambie_id_factura")).at(0);
    fb::Transaction transaction(destination);
    const Value prefijo = sales.rows.first().at(0);
    const Value ivainc = first(
        transaction, QStringLiteral("select pref_ivainc from prefijos where tido_cod = 31 and pref_pre = ?"),
        {prefijo});
    fb::Statement rate(transaction, QStringLiteral("select taiv_porc from articulo a, tarifa_iva t where "
                                                   "a.taiv_cod = t.taiv_cod and arti_cod = ?"));
    // The header carries the totals of its lines and goes in first.
    QList<QList<Value>> lines;
    Fixed iva, total;
    for (const fb::Row& sale : sales.rows) {
        fb::Row taxRate;
        const auto rates = rate.open({sale.at(2)});
        const Fixed porc = rates->fetch(taxRate) ? taxRate.at(0).toFixed() : Fixed();
        rates->close();
        const Fixed lineTotal =
            sale.at(4).toFixed() * sale.at(5).toFixed() + sale.at(6).toFixed() + sale.at(7).toFixed();
        lines.append({id, int(lines.size()) + 1, point.bodega, sale.at(2), sale.at(4), sale.at(3), sale.at(5),
                      porc, sale.at(6), sale.at(7), sale.at(2), lineTotal});
        iva += sale.at(6).toFixed();
        total += lineTotal;
    }
    transaction.execute(
        QStringLiteral(
            "insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, fact_fecha, "
            "fact_vence, fact_ivainc, fact_dtopor, fact_dtomonto, fact_adicional, fact_ivamonto, "
            "fact_rtftepor, fact_rtivapor, fact_rticapor, fact_extra, fact_dtofpor, fact_dtoffecha, "
            "pref_pre, fact_anulado, fact_transmit, fact_total, bode_cod, numok, fact_sucursal, "
            "fact_usuario, fact_recibido) values (?, ?, ?, ?, '000001', ?, ?, ?, 0, 0, 0, ?, 0, 0, 0, "
            "0, 0, ?, ?, 'N', 'N', ?, ?, 'N', '01', ?, 0)"),
        {id, point.id, sales.rows.first().at(1), point.nit, date, date, ivainc, iva.roundedToPowerOfTen(-2),
         date, prefijo, total.roundedToPowerOfTen(-2), point.bodega, user});
    fb::Statement line(
        transaction,
        QStringLiteral("insert into facturas_detalle (fact_id, fade_item, bode_cod, arti_cod, "
                       "fade_cant, fade_unidad, fade_prunit, fade_dtoporc, fade_ivaporc, "
                       "fade_ivamonto, fade_consumo, fade_factor, fade_codbar, fade_remisionado, "
                       "fade_devuelto, fade_total, lipr_cod, fade_anulado, fade_transmit) values "
                       "(?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, 1, ?, 0, 0, ?, 0, 'N', 'N')"));
    for (const QList<Value>& values : lines)
        line.execute(values);
    transaction.execute(
        QStringLiteral("insert into envio_resumdia (ptvt_id, enre_fecha, enre_hora, enre_factid) "
                       "values (?, ?, '23:59:59', ?)"),
        {point.id, date, id});
    transaction.commit();
    written += lines.size();
    post(destination, "select min(inve_id) from interfaz_ventas where tido_cod = 31 and pref_pre = ?",
         "select * from contabil_factura(?, ?, 0)", "select * from contabil_factura_niif(?, ?, ?)", id,
         prefijo);
    return id;
}

// The receipt paying the day's last invoice of one point in one transaction.
bool sendReceipt(fb::Connection& origin, fb::Connection& destination, const Point& point, const QDate& date,
                 const QString& user) {
    const fb::QueryResult payments = origin.query(
        QStringLiteral("select forma, banco, cuenta, numero, monto from resumen_caja_tx(?, ?, '00:00:00')"),
        {date, point.id});
    if (payments.rows.isEmpty())
        return false;
    const Value id = destination.execute(QStringLiteral("execute procedure cambie_id_recicaja")).at(0);
    fb::Transaction transaction(destination);
    const fb::Row invoice =
        transaction
            .query(QStringLiteral(
                       "select first 1 fact_id, fact_numero, pref_pre, fact_total, terc_nit, "
                       "fact_nomcliente from facturas where fact_fecha = ? and fact_anulado = 'N' and "
                       "ptvt_id = ? order by fact_id desc"),
                   {date, point.id})
            .rows.first();
    const Value prefijo =
        first(transaction, QStringLiteral("select auto_prefrdc from autorizaciones where pref_pre = ?"),
              {point.prefijo});
    const Value numero = first(
        transaction, QStringLiteral("select pref_actual from prefijos where tido_cod = 61 and pref_pre = ?"),
        {prefijo});
    const Value cobrador = first(
        transaction, QStringLiteral("select min(vend_cod) from vendedores where ptvt_id = ?"), {point.id});
    Fixed paid;
    for (const fb::Row& payment : payments.rows)
        paid += payment.at(4).toFixed();
    const Fixed invoiceTotal = invoice.at(3).toFixed();
    const Fixed excess = paid > invoiceTotal ? paid - invoiceTotal : Fixed();
    transaction.execute(
        QStringLiteral(
            "insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, reca_numero, reca_fecha, "
            "reca_conc, reca_monto, reca_rtftemonto, reca_rtivamonto, reca_rticamonto, reca_dtof, "
            "terc_nit, reca_nomterc, reca_anulado, reca_transmit, cobr_cod, reca_usuario, numok) values "
            "(?, ?, 61, ?, ?, ?, ?, ?, 0, 0, 0, 0, ?, ?, 'N', 'N', ?, ?, 'N')"),
        {id, point.caja, prefijo, numero, date,
         QStringLiteral("Cancela ventas contado ") + datetime::formatDate(date), paid - excess, invoice.at(4),
         invoice.at(5), cobrador, user});
    transaction.execute(
        QStringLiteral(
            "insert into recibos_caja_detalle (reca_id, rcde_item, rcde_tipodoc, rcde_iddoc, "
            "rcde_prefijo, rcde_numero, rcde_abono, rcde_rtfte, rcde_rtiva, rcde_rtica, rcde_dtof, "
            "rcde_anulado, rcde_transmit, rcde_sucursal) values (?, 1, 31, ?, ?, ?, ?, 0, 0, 0, 0, 'N', "
            "'N', '01')"),
        {id, invoice.at(0), invoice.at(2), invoice.at(1), paid - excess});
    fb::Statement pago(
        transaction,
        QStringLiteral("insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_banco, "
                       "rcpa_cuenta, rcpa_numero, rcpa_fecha, rcpa_monto, rcpa_anulado, "
                       "rcpa_transmit, rcpa_ivamonto) values (?, ?, ?, ?, ?, ?, ?, ?, 'N', 'N', 0)"));
    int item = 0;
    Fixed excessLeft = excess;
    for (const fb::Row& payment : payments.rows) {
        Fixed monto = payment.at(4).toFixed();
        if (payment.at(0).toInt() == 1) {
            monto -= excessLeft;
            excessLeft = Fixed();
        }
        pago.execute({id, ++item, payment.at(0), payment.at(1).toString().left(2), payment.at(2),
                      payment.at(3), date, monto});
    }
    transaction.commit();
    post(destination, "select min(incj_id) from interfaz_caja where tido_cod = 61 and pref_pre = ?",
         "select * from contabil_recicaja(?, ?, 0)", "select * from contabil_recicaja_niif(?, ?, ?)", id,
         prefijo);
    return true;
}

} // namespace

Written sendFloor(fb::Connection& origin, fb::Connection& destination, const QDate& from, const QDate& to,
                  const QString& user) {
    QList<Point> points;
    for (const fb::Row& row :
         origin
             .query(QStringLiteral(
                 "select ptvt_id, bode_cod, terc_nit, caja_id, pref_pre from punto_venta where "
                 "ptvt_activo = 'S' order by ptvt_id"))
             .rows)
        points.append(Point{row.at(0), row.at(1), row.at(2), row.at(3), row.at(4)});
    Written written;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        for (const Point& point : points) {
            if (!sendSales(origin, destination, point, date, user, written.lines).isNull())
                ++written.documents;
            if (sendReceipt(origin, destination, point, date, user))
                ++written.documents;
        }
    }
    return written;
}

} // namespace quelmaro::bench
