#!/usr/bin/env bash
# Configures (once) and builds one configuration: "release" (default), "asan", or "fuzz" (clang, the
# libFuzzer targets of tests/fuzz and only what they link, into build-fuzz).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-release}
target=()
case "$config" in
  release) dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    dir="$root/build-asan"; flags=(-DCMAKE_BUILD_TYPE=Debug -DRAVELO_SANITIZE=ON -DRAVELO_BENCH=OFF) ;;
  fuzz)    dir="$root/build-fuzz"
           flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELO_FUZZ=ON -DRAVELO_BENCH=OFF
                  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
           target=(--target fuzz_targets) ;;
  *) echo "usage: build.sh [release|asan|fuzz]" >&2; exit 2 ;;
esac
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" "${launcher[@]}"
cmake --build "$dir" "${target[@]}"
