#!/usr/bin/env bash
# Runs every test in build-asan/, the build under AddressSanitizer and
# UndefinedBehaviorSanitizer (built first where needed): a memory fault or undefined
# behaviour ends the program with a report and fails its test. Leaks are not checked.
# The tests of the server back end need the server of scripts/start-postgres.sh, as in
# scripts/test.sh, which calls this script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --sanitized
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 600
