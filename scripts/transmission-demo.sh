#!/usr/bin/env bash
# Transmits the demo branch company 01 to the demo central company 00 as a nightly scheduler would: one
# unattended run of the program per day of business (run mode 1, no dialogs, no screen), then prints what
# arrived in the central company, day by day. Messages of the runs go to standard error.
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
for day in $days; do
    if QT_QPA_PLATFORM=offscreen QUELMARO_NO_DIALOGS=1 \
        "$program" "$demo" SYSDBA masterkey 01 "$demo" SYSDBA masterkey 00 0 1 "$day"; then
        echo "Dia $day transmitido."
    else
        echo "Dia $day: la transmision termino con error (ver $demo/ERRORES.TXT)." >&2
        status=1
    fi
done

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
exit $status
