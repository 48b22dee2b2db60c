#!/bin/sh
# Stands where the nightly job expects a program: starts the real one ($1) with the other arguments and,
# once it runs, appends to $COMMAND_LINES the command line of every process of this session, one a line.
# Ends as the program ends.
program=$1
shift
"$program" "$@" &
started=$!
while [ "$(readlink "/proc/$started/exe")" != "$(readlink -f "$program")" ] && kill -0 "$started" 2>/dev/null; do
    sleep 0.01
done
for pid in $(ps -s "$(ps -o sid= -p $$ | tr -d ' ')" -o pid=); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null && echo
done >>"$COMMAND_LINES"
wait "$started"
