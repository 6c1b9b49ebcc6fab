#!/usr/bin/env bash
# Starts a private PostgreSQL server for the tests: a new cluster in a temporary folder,
# listening only on a Unix socket in that folder, with a password-protected user.
# Run as root, the server runs as the unprivileged user "nobody" (PostgreSQL refuses
# to run as root). Prints the environment that points libpq and the tests to it:
#   eval "$(scripts/start-postgres.sh)"
# scripts/stop-postgres.sh stops the server and removes the folder again.
set -euo pipefail
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ]; then
    echo "start-postgres: PostgreSQL is not installed (scripts/install-deps.sh)" >&2
    exit 1
fi
# /tmp: reachable by the unprivileged user, and short enough for a socket path.
folder=$(mktemp -d /tmp/morvik-pg.XXXXXX)
chmod 755 "$folder"
user=morvik
password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
run=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody: "$folder"
    run=(runuser -u nobody --)
fi
cd "$folder"
(umask 077 && printf '%s\n' "$password" >"$folder/password")
[ ${#run[@]} -eq 0 ] || chown nobody: "$folder/password"
"${run[@]}" "$bindir/initdb" -D "$folder/data" -U "$user" --pwfile="$folder/password" \
    --auth=scram-sha-256 --encoding=UTF8 --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 || {
    cat "$folder/initdb.log" >&2
    exit 1
}
rm -f "$folder/password"
"${run[@]}" "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -s \
    -o "-c listen_addresses='' -c unix_socket_directories='$folder' -c fsync=off" start >&2 || {
    cat "$folder/server.log" >&2
    exit 1
}
cat <<END
export MORVIK_PG_FOLDER='$folder'
export PGHOST='$folder'
export PGPORT=5432
export PGUSER='$user'
export PGPASSWORD='$password'
END
