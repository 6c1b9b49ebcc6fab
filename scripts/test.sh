#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test, then runs them all
# again in the build under the sanitizers (scripts/test-sanitized.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
# The tests of the server back end reach this private server through PGHOST and PGPORT.
eval "$(scripts/start-postgres.sh)"
trap 'scripts/stop-postgres.sh "$MORVIK_PG_FOLDER"' EXIT
# The sanitized build is made while the first tests run: they mostly wait for files,
# other programs and the server, and leave the processors to it.
mkdir -p build-asan
scripts/build.sh --sanitized >build-asan/build.log 2>&1 &
sanitized_build=$!
tested=0
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300 ||
    tested=$?
if ! wait "$sanitized_build"; then
    cat build-asan/build.log
    exit 1
fi
[ "$tested" -eq 0 ] || exit "$tested"
scripts/test-sanitized.sh
