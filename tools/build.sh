#!/usr/bin/env bash
# Configures (once) and builds one configuration: "release" (default) or "asan".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
config=${1:-release}
case "$config" in
  release) dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    dir="$root/build-asan"; flags=(-DCMAKE_BUILD_TYPE=Debug -DRAVELO_SANITIZE=ON -DRAVELO_BENCH=OFF) ;;
  *) echo "usage: build.sh [release|asan]" >&2; exit 2 ;;
esac
[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir"
