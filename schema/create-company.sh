#!/usr/bin/env bash
# Creates the database of one company, <root>/datos/<company>/norvane.fdb, with its tables, procedures,
# masters, configuration and closing-report format, on the embedded engine (a bare path, no server).
set -euo pipefail

usage() {
    cat >&2 <<TEXT
Uso: $0 <raiz> <compania> [--branches B] [--points P] [--chown]
  --branches B  sucursales (1 por omision)
  --points P    puntos de venta, repartidos entre las sucursales (3 por omision)
  --chown       deja la carpeta datos a nombre del usuario firebird, para abrirla por el servidor
TEXT
    exit 2
}

whole_number() {
    case $2 in
        '' | *[!0-9]*) echo "$1 debe ser un numero entero: '$2'" >&2; exit 2 ;;
    esac
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
    '' | *[!A-Za-z0-9_-]*) echo "Codigo de compania invalido: '$company'" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
folder=$root/datos/$company
if [ -e "$folder/norvane.fdb" ]; then
    echo "Ya existe la base de datos $folder/norvane.fdb; no se reemplaza." >&2
    exit 1
fi
mkdir -p "$folder"
database=$(cd "$folder" && pwd)/norvane.fdb

sql_text() { printf "'%s'" "${1//\'/\'\'}"; }

script=$(mktemp)
trap 'rm -f "$script"' EXIT
{
    echo "create database $(sql_text "$database") page_size 8192 default character set utf8;"
    for file in "$here"/sql/*.sql; do
        echo "input $(sql_text "$file");"
    done
    echo "execute procedure cree_puntos_venta($branches, $points);"
    echo "commit;"
} >"$script"

if ! isql-fb -q -bail -user SYSDBA -i "$script"; then
    rm -f "$database"
    echo "No se pudo crear la base de datos $database" >&2
    exit 1
fi

if [ "$give_to_server" = yes ]; then
    chown -R firebird:firebird "$root/datos"
fi
echo "$database"
