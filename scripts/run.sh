#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything, installs the programs for the user
# running it (scripts/install; the program folder is $PREFIX, else ~/.local/lib/morvik2)
# and starts the main program. Arguments go to the program ("/debug").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
programs="${PREFIX:-$HOME/.local/lib/morvik2}"
scripts/install "$programs"
exec "$programs/morvik2" "$@"
