#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer configurations and runs every test in
# both, then builds the fuzz targets and runs each for a short while (tools/fuzz.sh runs them longer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" release
"$root/tools/build.sh" asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/build" --output-on-failure -j2
ctest --test-dir "$root/build-asan" --output-on-failure -j2
"$root/tools/build.sh" fuzz
"$root/tools/fuzz.sh" --all "${RAVELO_FUZZ_SECONDS:-30}"
