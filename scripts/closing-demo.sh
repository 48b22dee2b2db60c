#!/usr/bin/env bash
# Prints the closing report of the demo branch company 01 for its last day of business to a PDF, as a store's
# nightly schedule keeps one for every day, and says where it is. Messages go to standard error.
#   closing-demo.sh <demo folder> <cierre command>
set -euo pipefail
demo=$1
cierre=$2
origin=$demo/datos/01/norvane.fdb

# The last day with sales, written as the program writes dates: yyyy/mm/dd.
day=$(isql-fb -q -ch UTF8 -user SYSDBA -password masterkey "$origin" <<'SQL' | tr -d ' ' |
set heading off;
select max(fact_fecha) from facturas;
SQL
    grep -E '^[0-9]{4}-[0-9]{2}-[0-9]{2}$' | tr - /)

pdf=$demo/cierre-${day//\//-}.pdf
if "$cierre" "$demo" SYSDBA masterkey 01 "$day" "$pdf"; then
    echo "Cierre del $day de la compania 01: $pdf"
else
    echo "El cierre del $day no se pudo imprimir (ver $demo/ERRORES.TXT)." >&2
    exit 1
fi
