#!/usr/bin/env bash
# Configures and builds everything into build/, or with --sanitized into build-asan/ under
# AddressSanitizer and UndefinedBehaviorSanitizer (scripts/test-sanitized.sh runs its tests).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitized" ]; then
    # The test programs run once at build time to list their tests: with these options too.
    export ASAN_OPTIONS=detect_leaks=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    cmake -S . -B build-asan -G Ninja -DMORVIK_SANITIZE=ON
    cmake --build build-asan
else
    cmake -S . -B build -G Ninja
    cmake --build build
fi
