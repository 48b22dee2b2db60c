#!/usr/bin/env bash
# The Debian package on this very machine, used as a store's IT person uses it: lintian; installed with dpkg;
# units, menu entry and manual pages checked; the installed cierre and an unattended quelmaro send run against
# demo companies made by the installed schema scripts; the nightly job run as its service would run it, from
# the settings file; the timer enabled; an upgrade to a changed version that keeps the edited settings; a
# removal that leaves only the settings; a purge that leaves nothing. Runs as root; whatever happens, it
# purges the package again, so the machine is left as it was found.
#   test-package.sh <package.deb> <program built with it>...
set -euo pipefail
deb=$1
shift
skip() {
    echo "Se omite: $*"
    exit 77
}
installed_state() { dpkg-query -W -f='${db:Status-Status}' quelmaro 2>/dev/null || true; }

[ "$(id -u)" -eq 0 ] || skip "la prueba instala el paquete en esta máquina, y eso solo lo hace root."
[ -f "$deb" ] || skip "no hay paquete $deb: cmake --build build --target package"
for program; do
    if [ "$program" -nt "$deb" ]; then
        echo "FALLA: $program es más nuevo que $deb: cmake --build build --target package" >&2
        exit 1
    fi
done
case $(installed_state) in
'' | not-installed) ;;
*) skip "quelmaro ya está instalado en esta máquina y la prueba no lo toca." ;;
esac

work=$(mktemp -d)
timer_link=/etc/systemd/system/timers.target.wants/quelmaro-nightly.timer
had_state_folder=no
[ -e /var/lib/quelmaro ] && had_state_folder=yes
cleanup() {
    case $(installed_state) in
    '' | not-installed) ;;
    *) dpkg --purge quelmaro >/dev/null 2>&1 || dpkg --purge --force-all quelmaro >/dev/null 2>&1 || true ;;
    esac
    # The test enabled the timer itself: a purge that failed must not leave the link behind.
    if [ "$(readlink "$timer_link" 2>/dev/null)" = /lib/systemd/system/quelmaro-nightly.timer ]; then
        rm -f "$timer_link"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FALLA: $*" >&2
    failures=$((failures + 1))
}
stop() {
    echo "FALLA: $*" >&2
    exit 1
}
# The installed programs as a scheduler starts them: nothing of the build's environment, the suite's registry
# entry in the test's folder.
installed() { env -i PATH=/usr/bin:/bin HOME="$work" LANG=C.UTF-8 XDG_CONFIG_DIRS="$work/xdg" "$@"; }
sql() { isql-fb -q -ch UTF8 -user SYSDBA -password masterkey "$1"; }
invoices_on() {
    echo "set heading off; select count(*) from facturas where fact_fecha = '$2';" | sql "$1" | tr -d ' \n'
}
# The central company receives one invoice per point of sale and day that had sales.
arrived() { [ "$(invoices_on "$central" "$1")" -gt 0 ]; }

version=$(dpkg-deb -f "$deb" Version)
echo "== lintian"
# The warnings the package keeps are overridden in the package itself, each with its reason.
lintian --fail-on error,warning "$deb" || fail "lintian"

echo "== dpkg -i $deb"
dpkg -i "$deb" || stop "la instalación"
for path in /usr/bin/quelmaro /usr/bin/cierre /usr/lib/quelmaro/quelmaro-nightly \
    /lib/systemd/system/quelmaro-nightly.service /lib/systemd/system/quelmaro-nightly.timer \
    /etc/quelmaro/nightly.conf /usr/share/quelmaro/schema/make-demo.sh /usr/share/quelmaro/schema/create-company.sh \
    /usr/share/man/man1/quelmaro.1.gz /usr/share/man/man1/cierre.1.gz /usr/share/applications/quelmaro.desktop \
    /usr/share/icons/hicolor/scalable/apps/quelmaro.svg /usr/share/doc/quelmaro/README.md \
    /usr/share/doc/quelmaro/copyright /usr/share/doc/quelmaro/changelog.gz; do
    [ -e "$path" ] || fail "falta $path"
done
[[ $(dpkg-query -W -f='${Conffiles}' quelmaro) == *" /etc/quelmaro/nightly.conf "* ]] ||
    fail "/etc/quelmaro/nightly.conf no es un conffile"
[ "$(stat -c %a:%U /etc/quelmaro/nightly.conf)" = 600:root ] || fail "nightly.conf no es 0600 de root"
[ ! -e "$timer_link" ] || fail "el temporizador quedó activado al instalar"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libfbclient2 fonts-liberation qt6-translations-l10n; do
    [[ $depends == *"$dependency"* ]] || fail "Depends no nombra $dependency: $depends"
done

echo "== unidades, menú y manuales"
# It also checks that the manual pages named in Documentation= are installed.
if ! systemd-analyze verify /lib/systemd/system/quelmaro-nightly.service /lib/systemd/system/quelmaro-nightly.timer \
    >"$work/verify" 2>&1 || [ -s "$work/verify" ]; then
    cat "$work/verify" >&2
    fail "systemd-analyze verify"
fi
desktop-file-validate /usr/share/applications/quelmaro.desktop || fail "desktop-file-validate"
[ "$(sed -n 's/^Exec=//p' /usr/share/applications/quelmaro.desktop)" = quelmaro ] || fail "Exec= de la entrada"
for page in quelmaro cierre; do
    [ "$(man -w "$page")" = "/usr/share/man/man1/$page.1.gz" ] || fail "man no encuentra $page(1)"
    LANG=C.UTF-8 MANWIDTH=100 man --warnings -l "/usr/share/man/man1/$page.1.gz" >"$work/$page.txt" 2>"$work/$page.err" ||
        fail "man -l $page"
    [ ! -s "$work/$page.err" ] || { cat "$work/$page.err" >&2; fail "avisos de man en $page(1)"; }
    grep -q 'ESTADO DE SALIDA' "$work/$page.txt" && grep -q "quelmaro $version" "$work/$page.txt" ||
        fail "$page(1) no muestra su estado de salida o la versión $version"
done

echo "== los programas instalados contra la demostración"
today=$(date +%Y/%m/%d)
yesterday=$(date -d yesterday +%Y/%m/%d)
installed /usr/share/quelmaro/schema/make-demo.sh "$work/demo" --points 2 --days 2 --lines 4 --end "$today" ||
    stop "make-demo.sh instalado"
mkdir -p "$work/xdg/Qor"
printf '[General]\nDirectorio=%s\n' "$work/demo" >"$work/xdg/Qor/Norvaneerp2019.ini"
origin=$work/demo/datos/01/norvane.fdb
central=$work/demo/datos/00/norvane.fdb

installed cierre "$work/demo" SYSDBA masterkey 01 "$today" "$work/cierre.pdf" || fail "cierre terminó con $?"
pdftotext "$work/cierre.pdf" "$work/cierre.txt" && grep -q "$today" "$work/cierre.txt" ||
    fail "el cierre en PDF no muestra el día $today"

installed QT_QPA_PLATFORM=offscreen QUELMARO_NO_DIALOGS=1 \
    quelmaro "$work/demo" SYSDBA x 01 "$work/demo" SYSDBA x 00 0 1 "$yesterday" 2>"$work/send.err" ||
    fail "el envío sin operador terminó con $?"
summary=$(tail -n 1 "$work/send.err")
[[ $summary =~ ^RESUMEN:\ enviados\ ([0-9]+)\ facturas,\ .*\;\ sin\ fallas$ ]] ||
    { cat "$work/send.err" >&2; fail "la línea RESUMEN del envío"; }
arrived "$yesterday" && [ "$(invoices_on "$central" "$yesterday")" = "${BASH_REMATCH[1]}" ] ||
    fail "la central no tiene las facturas del $yesterday que dice el envío: $summary"

echo "== el trabajo de cada noche, como lo corre su servicio"
cat >/etc/quelmaro/nightly.conf <<CONF
ORIGIN_SERVER=$work/demo
ORIGIN_USER=SYSDBA
ORIGIN_PASSWORD=masterkey
ORIGIN_COMPANY=01
DESTINATION_SERVER=$work/demo
DESTINATION_USER=SYSDBA
DESTINATION_PASSWORD=masterkey
DESTINATION_COMPANY=00
BRANCH=0
REPORT_FOLDER=$work/cierres
SEND_TRIES=1
SEND_PAUSE=0
DAY=$today
CONF
unit=/lib/systemd/system/quelmaro-nightly.service
read -ra unit_environment <<<"$(sed -n 's/^Environment=//p' "$unit")"
installed "${unit_environment[@]}" sh -c 'set -a; . "$1"; set +a; exec $2' nightly \
    "$(sed -n 's/^EnvironmentFile=-\{0,1\}//p' "$unit")" "$(sed -n 's/^ExecStart=//p' "$unit")" >"$work/nightly.out" 2>&1 ||
    { cat "$work/nightly.out" >&2; fail "el trabajo de cada noche terminó con error"; }
[ -s "$work/cierres/cierre-${today//\//-}.pdf" ] || fail "el trabajo de cada noche no dejó el cierre en PDF"
arrived "$today" ||
    fail "la central no tiene las facturas del $today"

echo "== el temporizador activado, y una versión nueva"
systemctl enable quelmaro-nightly.timer || fail "systemctl enable"
[ -L "$timer_link" ] || fail "systemctl enable no activó el temporizador"
mkdir "$work/upgrade"
dpkg-deb -R "$deb" "$work/upgrade/tree"
sed -i "s/^Version: .*/Version: $version+prueba1/" "$work/upgrade/tree/DEBIAN/control"
dpkg-deb -b --root-owner-group "$work/upgrade/tree" "$work/upgrade/quelmaro.deb" >/dev/null
dpkg -i "$work/upgrade/quelmaro.deb" || stop "la actualización"
[ "$(dpkg-query -W -f='${Version}' quelmaro)" = "$version+prueba1" ] || fail "la versión nueva no quedó instalada"
grep -qx "ORIGIN_SERVER=$work/demo" /etc/quelmaro/nightly.conf || fail "la actualización no conservó nightly.conf"
[ "$(stat -c %a /etc/quelmaro/nightly.conf)" = 600 ] || fail "nightly.conf dejó de ser 0600"
[ -L "$timer_link" ] || fail "la actualización desactivó el temporizador"

echo "== dpkg --remove"
# What belongs to the package alone must go; what it shares with others stays with them.
mapfile -t files < <(dpkg -L quelmaro)
only_ours=()
for path in "${files[@]}"; do
    if [ "$path" != /. ] && [ -d "$path" ] && [ ! -L "$path" ]; then
        [ "$(dpkg -S "$path" | sed 's/: .*//')" != quelmaro ] || only_ours+=("$path")
    fi
done
dpkg --remove quelmaro || stop "dpkg --remove"
[ "$(installed_state)" = config-files ] || fail "tras quitarlo el estado es $(installed_state), no config-files"
for path in "${files[@]}"; do
    case $path in
    /etc/quelmaro | /etc/quelmaro/nightly.conf) [ -e "$path" ] || fail "quitar el paquete borró $path" ;;
    *) [ -d "$path" ] || [ ! -e "$path" ] || fail "quedó $path" ;;
    esac
done
for path in "${only_ours[@]}"; do
    [ "$path" = /etc/quelmaro ] || [ ! -e "$path" ] || fail "quedó la carpeta $path"
done

echo "== dpkg --purge"
dpkg --purge quelmaro || stop "dpkg --purge"
case $(installed_state) in
'' | not-installed) ;;
*) fail "tras purgarlo el estado es $(installed_state)" ;;
esac
[ ! -e /etc/quelmaro ] || fail "purgar no borró /etc/quelmaro"
[ ! -L "$timer_link" ] || fail "purgar no borró el enlace del temporizador"
leftovers=$(find /etc/systemd /var/lib/systemd/deb-systemd-helper-enabled /var/lib/dpkg/info -name '*quelmaro*' 2>/dev/null)
[ -z "$leftovers" ] || fail "quedaron: $leftovers"
[ "$had_state_folder" = yes ] || [ ! -e /var/lib/quelmaro ] || fail "quedó /var/lib/quelmaro"

[ "$failures" -eq 0 ]
