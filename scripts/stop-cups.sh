#!/usr/bin/env bash
# Stops the scheduler that scripts/start-cups.sh started in the folder given. The
# folder stays.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: stop-cups.sh <folder>" >&2; exit 2; }
pidfile="$(realpath -m "$1")/cupsd.pid"
[ -f "$pidfile" ] || exit 0
pid="$(cat "$pidfile")"
# Only the scheduler itself, should the id have gone to another process since.
if [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = cupsd ] && kill "$pid"; then
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
fi
rm -f "$pidfile"
