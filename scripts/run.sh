#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and starts the main program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/stage/morvik2 "$@"
