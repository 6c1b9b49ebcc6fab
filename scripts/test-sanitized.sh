#!/usr/bin/env bash
# Builds everything a second time into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test there: a memory fault or undefined
# behaviour ends the program with a report and fails its test. Leaks are not checked.
# The tests of the server back end need the server of scripts/start-postgres.sh, as in
# scripts/test.sh, which calls this script.
set -euo pipefail
cd "$(dirname "$0")/.."
# Set for the build too: the test programs are run once at build time to list their tests.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake -S . -B build-asan -G Ninja -DMORVIK_SANITIZE=ON
cmake --build build-asan
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j "$(nproc)" --timeout 600
