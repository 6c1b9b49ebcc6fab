#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need, and fetches
# the database engine's sources (scripts/fetch-sqlcipher.sh).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev libssl-dev libzip-dev libpugixml-dev libxlsxwriter-dev
    libgtest-dev libbenchmark-dev fonts-ipafont-gothic fonts-noto-cjk xvfb
    x11-utils poppler-utils unzip libreoffice-calc-nogui qt6-translations-l10n
    libcups2-dev cups libpq-dev postgresql)
missing=()
# npm fetches the engine's sources; Debian's package only where no npm is installed.
command -v npm >/dev/null || missing+=(npm)
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
"$(dirname "$0")/fetch-sqlcipher.sh" >/dev/null
