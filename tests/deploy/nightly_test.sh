#!/usr/bin/env bash
# The nightly job: its units pass systemd's own check, and its script prints the closing report once, then
# tries the send until one exits 0, gives up after its tries, and never retries a command line that cannot work.
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

# Stand-ins for the two programs: each call is logged; the send answers with the next code of its list.
cat >"$work/cierre" <<'STUB'
#!/bin/sh
echo "cierre $*" >>"$LOG"
STUB
cat >"$work/quelmaro" <<'STUB'
#!/bin/sh
echo "quelmaro $*" >>"$LOG"
code=$(head -n 1 "$CODES"); sed -i 1d "$CODES"
exit "$code"
STUB
chmod +x "$work/cierre" "$work/quelmaro"

# codes the sends answer with | sends expected | exit code expected
while IFS='|' read -r codes sends expected; do
    printf '%s\n' $codes >"$work/codes"
    : >"$work/log"
    set +e
    env -i PATH="$PATH" LOG="$work/log" CODES="$work/codes" QUELMARO="$work/quelmaro" CIERRE="$work/cierre" \
        ORIGIN_SERVER=srv ORIGIN_USER=u ORIGIN_PASSWORD=p ORIGIN_COMPANY=01 DESTINATION_SERVER=central \
        DESTINATION_USER=u DESTINATION_PASSWORD=p DESTINATION_COMPANY=00 BRANCH=2 DAY=2024/03/02 \
        REPORT_FOLDER="$work/pdf" SEND_TRIES=3 SEND_PAUSE=0 "$units/quelmaro-nightly" >/dev/null 2>&1
    ended=$?
    set -e
    [ "$ended" = "$expected" ] || fail "códigos $codes: terminó con $ended, se esperaba $expected"
    [ "$(grep -c '^quelmaro ' "$work/log")" = "$sends" ] || fail "códigos $codes: envíos $(grep -c '^quelmaro ' "$work/log")"
    grep -qx "cierre srv u p 01 2024/03/02 $work/pdf/cierre-2024-03-02.pdf --sucursal 2" "$work/log" ||
        fail "códigos $codes: el cierre no se imprimió como se esperaba"
    grep -q "^quelmaro srv u p 01 central u p 00 2 1 2024/03/02$" "$work/log" || fail "códigos $codes: argumentos del envío"
done <<'CASES'
0|1|0
1 0|2|0
1 1 1|3|1
1 2|2|2
CASES

[ "$failures" -eq 0 ]
