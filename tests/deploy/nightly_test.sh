#!/usr/bin/env bash
# The nightly job: its units pass systemd's own check; its script prints each day's closing report, tries
# the send until one exits 0, gives up after its tries, never retries a command line that cannot work,
# catches up the days not yet sent in full, oldest first, within its bound, and never puts a password on a
# command line.
set -euo pipefail
units=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FALLA: $*" >&2; failures=$((failures + 1)); }

# systemd checks that the service's program exists: point it at the script in the tree.
sed "s|^ExecStart=.*|ExecStart=$units/quelmaro-nightly|; s|^EnvironmentFile=.*|EnvironmentFile=-$work/none|" \
    "$units/quelmaro-nightly.service" >"$work/quelmaro-nightly.service"
cp "$units/quelmaro-nightly.timer" "$work/"
# It warns about a setting it cannot parse and goes on: any word from it is a fault. The manual pages named in
# Documentation= come with the package (its own test looks for them).
if ! systemd-analyze verify --man=no "$work/quelmaro-nightly.service" "$work/quelmaro-nightly.timer" >"$work/verify" 2>&1 ||
    [ -s "$work/verify" ]; then
    cat "$work/verify" >&2
    fail "systemd-analyze verify"
fi

# Stand-ins for the two programs: each call is logged with the passwords it found in its environment; the
# report is written; the send answers with the next code of its list (0 once the list is used up).
cat >"$work/cierre" <<'STUB'
#!/bin/sh
echo "cierre $* [$QUELMARO_ORIGIN_PASSWORD]" >>"$LOG"
: >"$6"
STUB
cat >"$work/quelmaro" <<'STUB'
#!/bin/sh
echo "quelmaro $* [$QUELMARO_ORIGIN_PASSWORD $QUELMARO_DESTINATION_PASSWORD]" >>"$LOG"
code=$(head -n 1 "$CODES"); sed -i 1d "$CODES"
exit "${code:-0}"
STUB
chmod +x "$work/cierre" "$work/quelmaro"

# Runs the job with the send's codes $1 and the further settings that follow; gives its exit code.
nightly() {
    printf '%s\n' $1 >"$work/codes"
    shift
    : >"$work/log"
    rm -rf "$work/pdf"
    set +e
    env -i PATH="$PATH" LOG="$work/log" CODES="$work/codes" QUELMARO="$work/quelmaro" CIERRE="$work/cierre" \
        ORIGIN_SERVER=srv ORIGIN_USER=u ORIGIN_PASSWORD=po ORIGIN_COMPANY=01 DESTINATION_SERVER=central \
        DESTINATION_USER=d DESTINATION_PASSWORD=pd DESTINATION_COMPANY=00 BRANCH=2 REPORT_FOLDER="$work/pdf" \
        STATE_FOLDER="$work/state" SEND_TRIES=3 SEND_PAUSE=0 "$@" "$units/quelmaro-nightly" >"$work/out" 2>&1
    local ended=$?
    set -e
    return $ended
}
# The days the sends (or the reports, with cierre) were asked for, in order.
sends() { grep "^${1:-quelmaro} " "$work/log" | grep -o '[0-9]\{4\}/[0-9][0-9]/[0-9][0-9]' | tr '\n' ' '; }
day() { date -u -d "$(date +%Y-%m-%d) -$1 day" +%Y/%m/%d; } # $1 days before today
days() { local n; for n in "$@"; do printf '%s ' "$(day "$n")"; done; }
recorded() { cat "$work/state/ultimo-dia-enviado" 2>/dev/null; }

# One day forced with DAY: codes the sends answer with | sends expected | exit code expected
while IFS='|' read -r codes count expected; do
    rm -rf "$work/state"
    ended=0
    nightly "$codes" DAY=2024/03/02 || ended=$?
    [ "$ended" = "$expected" ] || fail "códigos $codes: terminó con $ended, se esperaba $expected"
    [ "$(grep -c '^quelmaro ' "$work/log")" = "$count" ] || fail "códigos $codes: envíos $(sends)"
    grep -qx "cierre srv u  01 2024/03/02 $work/pdf/cierre-2024-03-02.pdf --sucursal 2 \[po\]" "$work/log" ||
        fail "códigos $codes: el cierre no se imprimió como se esperaba"
    grep -qx "quelmaro srv u  01 central d  00 2 1 2024/03/02 \[po pd\]" "$work/log" ||
        fail "códigos $codes: argumentos del envío"
    [ ! -e "$work/state/ultimo-dia-enviado" ] || fail "códigos $codes: DAY cambió el registro"
done <<'CASES'
0|1|0
1 0|2|0
1 1 1|3|1
1 2|2|2
CASES

# The first night: yesterday (its late sales) and today.
rm -rf "$work/state"
nightly "" || fail "primera noche: terminó con $?"
[ "$(sends)" = "$(days 1 0)" ] || fail "primera noche: envió $(sends)"
[ "$(recorded)" = "$(day 0)" ] || fail "primera noche: registro $(recorded)"

# Three nights missed: the last day sent once more, then the three and today, oldest first, each with its
# report; a rerun sends only the previous day and today again.
mkdir -p "$work/state" && day 4 >"$work/state/ultimo-dia-enviado"
nightly "" || fail "tres noches perdidas: terminó con $?"
[ "$(sends)" = "$(days 4 3 2 1 0)" ] || fail "tres noches perdidas: envió $(sends)"
[ "$(sends cierre)" = "$(days 4 3 2 1 0)" ] || fail "tres noches perdidas: cierres $(sends cierre)"
for n in 4 3 2 1 0; do
    [ -e "$work/pdf/cierre-$(day "$n" | tr / -).pdf" ] || fail "tres noches perdidas: falta el PDF de $(day "$n")"
done
[ "$(recorded)" = "$(day 0)" ] || fail "tres noches perdidas: registro $(recorded)"
nightly "" || fail "repetición: terminó con $?"
[ "$(sends)" = "$(days 1 0)" ] || fail "repetición: envió $(sends)"

# A night whose tries all fail on a day stops there, and the next night starts from that day again.
day 3 >"$work/state/ultimo-dia-enviado"
ended=0
nightly "0 1 1 1" || ended=$?
[ "$ended" = 1 ] || fail "noche fallida: terminó con $ended"
[ "$(sends)" = "$(days 3 2 2 2)" ] || fail "noche fallida: envió $(sends)"
[ "$(recorded)" = "$(day 3)" ] || fail "noche fallida: registro $(recorded)"
grep -q "la próxima noche empieza por él" "$work/out" || fail "noche fallida: no dice dónde se detuvo"
nightly "" || fail "noche siguiente: terminó con $?"
[ "$(sends)" = "$(days 3 2 1 0)" ] || fail "noche siguiente: envió $(sends)"
[ "$(recorded)" = "$(day 0)" ] || fail "noche siguiente: registro $(recorded)"

# Days beyond the bound are named in the journal and not sent.
day 10 >"$work/state/ultimo-dia-enviado"
nightly "" CATCH_UP_DAYS=3 || fail "límite: terminó con $?"
[ "$(sends)" = "$(days 3 2 1 0)" ] || fail "límite: envió $(sends)"
grep -qx "Los días del $(day 10) al $(day 4) tienen más de 3 días y no se envían; envíe cada uno a mano con DAY=AAAA/MM/DD" \
    "$work/out" || fail "límite: no nombra los días que salta"

# A record that is no date stops the job before it sends anything.
echo basura >"$work/state/ultimo-dia-enviado"
ended=0
nightly "" || ended=$?
[ "$ended" = 2 ] && [ -z "$(sends)" ] || fail "registro ilegible: terminó con $ended, envió $(sends)"

[ "$failures" -eq 0 ]
