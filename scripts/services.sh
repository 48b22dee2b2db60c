#!/usr/bin/env bash
# Starts or stops the services the tests need: the Firebird server on localhost and CUPS with a
# file queue that keeps Qt's PDF. Writes the settings the tests read to <state-dir>/services.env.
# Each state folder has a queue of its own, so that two checkouts testing at once never print on each
# other's queue nor read each other's pages.
# The server runs as the user firebird, so <state-dir> must be a folder that user can reach (its
# databases go to <state-dir>/fbdata): not inside a private home folder; scripts/test.sh uses /var/tmp.
#   scripts/services.sh start <state-dir>
#   scripts/services.sh stop  <state-dir>
set -euo pipefail

action=${1:?start or stop}
state=$(realpath -m "${2:?state folder}")
mkdir -p "$state" && chmod go+x "$state"

# The tests log in to the server as SYSDBA with Firebird's customary password.
fb_user=SYSDBA
fb_password=masterkey
printer=quelmaro_$(printf '%s' "$state" | sha1sum | cut -c1-8)

server_listening() { (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; }

start_firebird() {
    mkdir -p "$state/fbdata" && chown firebird:firebird "$state/fbdata" && chmod 0777 "$state/fbdata"
    if ! setpriv --reuid=firebird --regid=firebird --init-groups test -w "$state/fbdata" -a -x "$state/fbdata"; then
        echo "The Firebird server (user firebird) cannot reach $state/fbdata: a folder on the way is private." >&2
        echo "Give a state folder it can reach, for example under /var/tmp." >&2
        exit 1
    fi
    if server_listening; then
        # A server started earlier (by another checkout's run) serves these tests too, if it knows our login.
        # A missing file is only reported once the login was accepted.
        if echo "quit;" | isql-fb -q -user "$fb_user" -password "$fb_password" localhost:/nonexistent/probe.fdb 2>&1 |
            grep -q 'user name and password'; then
            echo "A Firebird server already runs on port 3050 but does not accept $fb_user/$fb_password" >&2
            exit 1
        fi
        return
    fi
    # The password is set in the security database (embedded) before the server holds it open,
    # and kept in the file that Debian's maintenance scripts read.
    echo "alter user $fb_user password '$fb_password'; commit;" |
        isql-fb -q -user SYSDBA /var/lib/firebird/3.0/system/security3.fdb >/dev/null
    chown firebird:firebird /var/lib/firebird/3.0/system/security3.fdb
    sed -i "s/^ISC_PASSWORD=.*/ISC_PASSWORD=\"$fb_password\"/" /etc/firebird/3.0/SYSDBA.password
    mkdir -p /run/firebird3.0 && chown firebird:firebird /run/firebird3.0
    setsid setpriv --reuid=firebird --regid=firebird --init-groups /usr/sbin/firebird \
        </dev/null >"$state/firebird.log" 2>&1 &
    echo $! >"$state/fbguard.pid"
    for _ in $(seq 100); do
        if server_listening; then return; fi
        sleep 0.1
    done
    echo "Firebird server did not start; see $state/firebird.log" >&2
    exit 1
}

start_cups() {
    grep -q '^FileDevice Yes' /etc/cups/cups-files.conf || echo 'FileDevice Yes' >>/etc/cups/cups-files.conf
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        /usr/sbin/cupsd
        touch "$state/cupsd.started"
        for _ in $(seq 100); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    mkdir -p "$state/printer" && chmod 0777 "$state/printer"
    lpadmin -p "$printer" -E -v "file://$state/printer/out.pdf" \
        -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd -o PageSize=Letter
}

case "$action" in
start)
    start_firebird
    start_cups
    cat >"$state/services.env" <<ENV
export QUELMARO_FB_SERVER_USER=$fb_user
export QUELMARO_FB_SERVER_PASSWORD=$fb_password
export QUELMARO_FB_SERVER_DIR=$state/fbdata
export QUELMARO_TEST_PRINTER=$printer
export QUELMARO_TEST_PRINTER_OUTPUT=$state/printer/out.pdf
ENV
    ;;
stop)
    if [ -s "$state/fbguard.pid" ]; then
        kill -TERM "$(cat "$state/fbguard.pid")" 2>/dev/null || true
        rm -f "$state/fbguard.pid"
    fi
    lpadmin -x "$printer" 2>/dev/null || true
    if [ -e "$state/cupsd.started" ] && [ -s /run/cups/cupsd.pid ]; then
        kill -TERM "$(cat /run/cups/cupsd.pid)" 2>/dev/null || true
        rm -f "$state/cupsd.started"
    fi
    ;;
*)
    echo "usage: $0 start|stop <state-dir>" >&2
    exit 2
    ;;
esac
