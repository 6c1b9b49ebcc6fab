#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test, then builds and
# runs them all again under the sanitizers (scripts/test-sanitized.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
# The tests of the server back end reach this private server through PGHOST and PGPORT.
eval "$(scripts/start-postgres.sh)"
trap 'scripts/stop-postgres.sh "$MORVIK_PG_FOLDER"' EXIT
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 300
scripts/test-sanitized.sh
