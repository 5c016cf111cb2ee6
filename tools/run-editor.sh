#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the bundled sample document.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" release
exec "$root/build/cli/ravelo-cli" info "$root/samples/sample.rvl"
