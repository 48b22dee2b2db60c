#!/usr/bin/env bash
# Creates the database of one company, <root>/datos/<company>/norvane.fdb, with its tables, procedures,
# masters, configuration and closing-report format, on the embedded engine (a bare path, no server).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=script-helpers.sh
source "$here/script-helpers.sh"

usage() {
    cat >&2 <<TEXT
Uso: $0 <raíz> <compañía> [--branches B] [--points P] [--chown]
  --branches B  sucursales (1 por omisión)
  --points P    puntos de venta, repartidos entre las sucursales (3 por omisión)
  --chown       deja la carpeta datos a nombre del usuario firebird, para abrirla por el servidor
TEXT
    exit 2
}

[ $# -ge 2 ] || usage
root=$1
company=$2
shift 2
branches=1
points=3
give_to_server=no
while [ $# -gt 0 ]; do
    case $1 in
        --branches) [ $# -ge 2 ] || usage; whole_number "$1" "$2"; branches=$2; shift 2 ;;
        --points) [ $# -ge 2 ] || usage; whole_number "$1" "$2"; points=$2; shift 2 ;;
        --chown) give_to_server=yes; shift ;;
        *) usage ;;
    esac
done

case $company in
    '' | *[!A-Za-z0-9_-]*) echo "Código de compañía inválido: '$company'" >&2; exit 2 ;;
esac

folder=$root/datos/$company
if [ -e "$folder/norvane.fdb" ]; then
    echo "Ya existe la base de datos $folder/norvane.fdb; no se reemplaza." >&2
    exit 1
fi
mkdir -p "$folder"
database=$(cd "$folder" && pwd)/norvane.fdb

script=$(mktemp)
trap 'rm -f "$script"' EXIT
{
    for file in "$here"/sql/*.sql; do
        echo "input $(sql_text "$file");"
    done
    echo "execute procedure cree_puntos_venta($branches, $points);"
    echo "commit;"
} >"$script"

failed() {
    rm -f "$database"
    echo "No se pudo crear la base de datos $database" >&2
    exit 1
}
# Forced writes stay off while the database is built, where each commit of a definition would wait for the
# disk, and are on once it is complete.
echo "create database $(sql_text "$database") page_size 8192 default character set utf8;" |
    isql-fb -q -bail -ch UTF8 -user SYSDBA || failed
gfix -write async -user SYSDBA "$database" || failed
isql-fb -q -bail -ch UTF8 -user SYSDBA -i "$script" "$database" || failed
gfix -write sync -user SYSDBA "$database" || failed

if [ "$give_to_server" = yes ]; then
    chown -R firebird:firebird "$root/datos"
fi
echo "$database"
