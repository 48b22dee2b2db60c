#!/usr/bin/env bash
# Creates two demo companies under <root>/datos: a branch company with days of business (the origin of
# the closing report and of the transmission) and an empty central company with the same schema and
# masters (the destination of the transmission). The business follows from the seed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=script-helpers.sh
source "$here/script-helpers.sh"

usage() {
    cat >&2 <<TEXT
Uso: $0 <raíz> [opciones]
  --branches B     sucursales (1)
  --points P       puntos de venta, repartidos entre las sucursales (3)
  --days D         días de negocio (5)
  --end AAAA/MM/DD último día de negocio (hoy)
  --seed S         semilla de los datos (1)
  --lines L        líneas de factura por punto de venta y día, aproximadamente (24)
  --origin CODIGO  compañía con los movimientos (01)
  --central CODIGO compañía central vacía (00)
  --chown          deja la carpeta datos a nombre del usuario firebird, para abrirla por el servidor
TEXT
    exit 2
}

[ $# -ge 1 ] || usage
root=$1
shift
branches=1 points=3 days=5 end=$(date +%Y/%m/%d) seed=1 lines=24 origin=01 central=00
ownership=()
while [ $# -gt 0 ]; do
    [ "$1" = --chown ] && { ownership=(--chown); shift; continue; }
    [ $# -ge 2 ] || usage
    case $1 in
        --branches) whole_number "$1" "$2"; branches=$2 ;;
        --points) whole_number "$1" "$2"; points=$2 ;;
        --days) whole_number "$1" "$2"; days=$2 ;;
        --seed) whole_number "$1" "$2"; seed=$2 ;;
        --lines) whole_number "$1" "$2"; lines=$2 ;;
        --end) end=$2 ;;
        --origin) origin=$2 ;;
        --central) central=$2 ;;
        *) usage ;;
    esac
    shift 2
done
if ! [[ $end =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}$ ]] || ! date -d "${end//\//-}" >/dev/null 2>&1; then
    echo "Fecha inválida: '$end' (se espera AAAA/MM/DD)" >&2
    exit 2
fi
if [ "$days" -lt 1 ] || [ "$lines" -lt 1 ]; then
    echo "Los días y las líneas deben ser al menos 1" >&2
    exit 2
fi
if [ "$origin" = "$central" ]; then
    echo "La compañía de origen y la central deben ser distintas" >&2
    exit 2
fi

origin_database=$("$here/create-company.sh" "$root" "$origin" --branches "$branches" --points "$points")
central_database=$("$here/create-company.sh" "$root" "$central" --branches "$branches" --points "$points") ||
    { rm -f "$origin_database"; exit 1; }

script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat >"$script" <<SQL
input $(sql_text "$here/demo/generator.sql");
execute procedure generar_demo($days, '$end', $seed, $lines);
commit;
input $(sql_text "$here/demo/index-statistics.sql");
commit;
input $(sql_text "$here/demo/drop-generator.sql");
commit;
SQL
# As when the company was made, the disk is waited for only once the business is in.
if ! { gfix -write async -user SYSDBA "$origin_database" &&
    isql-fb -q -bail -ch UTF8 -user SYSDBA -i "$script" "$origin_database" &&
    gfix -write sync -user SYSDBA "$origin_database"; }; then
    rm -f "$origin_database" "$central_database"
    echo "No se pudieron generar los movimientos de $origin_database" >&2
    exit 1
fi

if [ ${#ownership[@]} -gt 0 ]; then
    chown -R firebird:firebird "$root/datos"
fi
echo "$origin_database"
echo "$central_database"
