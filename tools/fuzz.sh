#!/usr/bin/env bash
# Runs fuzz targets of tests/fuzz, built by tools/build.sh fuzz.
#   tools/fuzz.sh NAME [SECONDS]   one target (default 600 s): tools/fuzz.sh render 3600
#   tools/fuzz.sh --all SECONDS    every target in turn, SECONDS each (as the test run does)
# New inputs go to build-fuzz/corpus/NAME (the seeds in tests/fuzz/corpus/NAME stay as they are);
# a crash is written as build-fuzz/crash-NAME-*, and the run fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_one() {
  local name=$1 seconds=$2
  local binary="$build/tests/fuzz/${name}_fuzz"
  [ -x "$binary" ] || { echo "fuzz.sh: no target $name (tools/build.sh fuzz builds them)" >&2; return 2; }
  mkdir -p "$build/corpus/$name"
  local seeds=()
  [ -d "$root/tests/fuzz/corpus/$name" ] && seeds=("$root/tests/fuzz/corpus/$name")
  echo "== $name: $seconds s"
  "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$build/crash-$name-" "$build/corpus/$name" "${seeds[@]}"
}

if [ "${1:-}" = "--all" ]; then
  seconds=${2:?usage: fuzz.sh --all SECONDS}
  status=0
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    run_one "$name" "$seconds" || status=1
  done
  exit $status
fi
run_one "${1:?usage: fuzz.sh NAME [SECONDS] | --all SECONDS}" "${2:-600}"
