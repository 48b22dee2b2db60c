#!/usr/bin/env bash
# Transmits the demo branch company 01 to the demo central company 00 as a nightly scheduler would: one
# unattended run of the program per day of business (run mode 1, no dialogs, no screen), and the last day
# once more, as when the operator sends a day again. Then prints what arrived in the central company, day
# by day, and the money of each day on both sides. Messages of the runs go to standard error.
#   transmission-demo.sh <demo folder> <program>
set -euo pipefail
demo=$1
program=$2
origin=$demo/datos/01/norvane.fdb
central=$demo/datos/00/norvane.fdb

sql() { isql-fb -q -ch UTF8 -user SYSDBA -password masterkey "$1"; }

# The days with sales in the branch company, as the program's dates are written: yyyy/mm/dd.
days=$(sql "$origin" <<'SQL' | tr -d ' ' | grep -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' | tr - /
set heading off;
select distinct fact_fecha from facturas order by 1;
SQL
)

status=0
transmit() {
    if QT_QPA_PLATFORM=offscreen QUELMARO_NO_DIALOGS=1 \
        "$program" "$demo" SYSDBA masterkey 01 "$demo" SYSDBA masterkey 00 0 1 "$1"; then
        echo "Dia $1 $2."
    else
        echo "Dia $1: la transmision termino con error (ver $demo/ERRORES.TXT)." >&2
        status=1
    fi
}
for day in $days; do
    transmit "$day" transmitido
done
# Sent again, the day's transfers and disbursements overwrite their copies rather than doubling them.
last_day=${days##*[[:space:]]}
[ -n "$last_day" ] && transmit "$last_day" "transmitido de nuevo"

echo
echo "Recibido en la compania central 00:"
{
    echo "select d.fecha as fecha,"
    echo " (select count(*) from facturas f where f.fact_fecha = d.fecha) as facturas,"
    echo " (select count(*) from facturas_detalle l join facturas f on f.fact_id = l.fact_id"
    echo "   where f.fact_fecha = d.fecha) as lineas,"
    echo " (select count(*) from recibos_caja r where r.reca_fecha = d.fecha) as recibos,"
    echo " (select count(*) from traslados_caja t where t.trcj_fecha = d.fecha) as traslados,"
    echo " (select count(*) from egresos e where e.egre_fecha = d.fecha) as egresos,"
    echo " (select count(*) from auditoria a where a.tido_cod in (102, 103) and a.audi_fecha = d.fecha) as clientes,"
    echo " (select count(*) from contable c where c.cnt_fecha = d.fecha) as asientos"
    echo "from (select distinct fact_fecha as fecha from facturas) d order by 1;"
} | sql "$central"
echo "(Una transmision sin operador no envia clientes: solo la ventana, con \"Clientes\" marcado.)"

# The day's money as each company holds it: sales with their consumption tax, what the counter took in
# (receipts in the central company), transfers and disbursements.
money() {
    local receipts
    if [ "$2" = central ]; then
        receipts="select coalesce(sum(reca_monto), 0) from recibos_caja where reca_fecha = d.fecha"
    else
        receipts="select coalesce(sum(p.fapa_monto), 0) from facturas_pago p join facturas f
                  on f.fact_id = p.fact_id where f.fact_fecha = d.fecha and f.fact_anulado = 'N'"
    fi
    sql "$1" <<SQL | awk 'NF == 6 { print $1, $2, $3, $4, $5, $6 }'
set heading off;
select d.fecha,
 (select coalesce(sum(fact_total), 0) from facturas where fact_fecha = d.fecha and fact_anulado = 'N'),
 (select coalesce(sum(l.fade_consumo), 0) from facturas_detalle l join facturas f on f.fact_id = l.fact_id
   where f.fact_fecha = d.fecha and f.fact_anulado = 'N'),
 ($receipts),
 (select coalesce(sum(l.trcd_monto), 0) from traslados_caja_det l join traslados_caja t
   on t.trcj_id = l.trcj_id where t.trcj_fecha = d.fecha),
 (select coalesce(sum(c.egca_monto), 0) from egresos_caja c join egresos e on e.egre_id = c.egre_id
   where e.egre_fecha = d.fecha)
from (select distinct fact_fecha as fecha from facturas) d order by 1;
SQL
}
echo
echo "Dinero de cada dia en la sucursal 01 y en la central 00:"
printf '%-10s  %-9s %16s %16s\n' FECHA CONCEPTO SUCURSAL CENTRAL
join -a 1 -e - -o auto <(money "$origin" origin) <(money "$central" central) | awk '
    BEGIN { split("ventas consumo cobrado traslados egresos", concepto, " ") }
    {
        for (i = 1; i <= 5; i++) {
            mark = ($(i + 1) == $(i + 6)) ? "" : "  NO CUADRA"
            if (mark != "") bad = 1
            printf "%-10s  %-9s %16s %16s%s\n", $1, concepto[i], $(i + 1), $(i + 6), mark
        }
    }
    END { print bad ? "Hay diferencias entre la sucursal y la central." : "Todo cuadra." ; exit bad }' ||
    status=1
exit $status
