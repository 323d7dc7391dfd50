#!/bin/sh
# Sends SIGTERM to a starting program as soon as it handles SIGTERM itself (its signal
# handler is in place), so that a slow start (sanitizers, a busy machine) is not killed by the
# default action. Gives up after 30 seconds.
# Arguments: the process id.
pid=$1
waited=0
while [ $waited -lt 300 ]; do
    caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    [ -n "$caught" ] && [ $(( 0x$caught & 0x4000 )) -ne 0 ] && break
    sleep 0.1
    waited=$((waited + 1))
done
sleep 0.5
kill -TERM "$pid"
