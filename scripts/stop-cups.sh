#!/usr/bin/env bash
# Stops the scheduler that scripts/start-cups.sh started in the folder given and removes
# its queue's cups-pdf settings file. The folder and the PDF files stay.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: stop-cups.sh <folder>" >&2; exit 2; }
folder="$(realpath -m "$1")"
queue="morvik-$(printf '%s' "$folder" | cksum | cut -d' ' -f1)"
rm -f "/etc/cups/cups-pdf-$queue.conf"
pidfile="$folder/cupsd.pid"
[ -f "$pidfile" ] || exit 0
pid="$(cat "$pidfile")"
if kill "$pid" 2>/dev/null; then
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
fi
rm -f "$pidfile"
