#!/usr/bin/env bash
# Stops the server that scripts/start-postgres.sh started and removes its folder.
#   scripts/stop-postgres.sh [<folder>]   (default: $MORVIK_PG_FOLDER)
set -euo pipefail
folder=${1:-${MORVIK_PG_FOLDER:-}}
case "$folder" in
    */morvik-pg.*) ;;
    *)
        echo "stop-postgres: no server folder given" >&2
        exit 1
        ;;
esac
bindir=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
run=()
if [ "$(id -u)" -eq 0 ]; then
    run=(runuser -u nobody --)
fi
if [ -f "$folder/data/postmaster.pid" ]; then
    (cd "$folder" && "${run[@]}" "$bindir/pg_ctl" -D "$folder/data" -m fast -w -s stop) || true
fi
rm -rf "$folder"
