#!/usr/bin/env bash
# Installs what is missing, builds the program, makes the demo companies under ./demo (once) and starts the
# program on them, with the company and the user filled in. Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target quelmaro cierre

demo=$PWD/demo
if [ ! -e "$demo/datos/01/norvane.fdb" ]; then
    rm -rf "$demo/datos"
    bash schema/make-demo.sh "$demo"
fi
# The suite's registry entry and its server list, as an installed suite has them.
mkdir -p "$demo/xdg/Qor"
escaped=${demo//\\/\\\\}
printf '[General]\nDirectorio="%s"\n' "${escaped//\"/\\\"}" >"$demo/xdg/Qor/Norvaneerp2019.ini"
printf '%s\r\n' "$demo" >"$demo/SERVIDORES.cfg"

headless=no
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    headless=yes
    cat >&2 <<TEXT
quelmaro es un programa de ventanas y aqui no hay pantalla (DISPLAY y WAYLAND_DISPLAY estan vacias).
La demostracion quedo lista en $demo. Para verla:
  - desde un escritorio, o por ssh -X:        scripts/run.sh
  - con una pantalla virtual (paquete xvfb):  xvfb-run -a scripts/run.sh
  - sin pantalla ni dialogos (los mensajes salen por la salida de errores):
      QT_QPA_PLATFORM=offscreen QUELMARO_NO_DIALOGS=1 scripts/run.sh ARGUMENTOS
Mientras tanto, sin pantalla, se imprime el cierre del ultimo dia de la compania 01 en un PDF y se
transmiten los dias de la compania 01 a la central 00 sin operador.
TEXT
fi

# The embedded engine of a user other than root keeps its lock files in a folder of its own.
if [ "$(id -u)" -ne 0 ]; then
    mkdir -p "$demo/lock"
    export FIREBIRD_LOCK="$demo/lock"
fi
export XDG_CONFIG_DIRS="$demo/xdg${XDG_CONFIG_DIRS:+:$XDG_CONFIG_DIRS}"
# The branch company 01 of the demo; the embedded engine takes any password. Enter in Compania connects.
export QUELMARO_USER=${QUELMARO_USER:-SYSDBA}
export QUELMARO_PASSWORD=${QUELMARO_PASSWORD:-masterkey}
export QUELMARO_COMPANY=${QUELMARO_COMPANY:-01}
if [ "$headless" = yes ]; then
    status=0
    bash scripts/closing-demo.sh "$demo" build/closing/cli/cierre || status=1
    echo
    bash scripts/transmission-demo.sh "$demo" build/shell/quelmaro || status=1
    exit $status
fi
exec build/shell/quelmaro "$@"
