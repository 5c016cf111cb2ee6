#!/usr/bin/env bash
# Installs what is missing, builds, registers the document type with the desktop and starts the
# editor on the bundled sample document.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" release
"$root/tools/install-desktop.sh" "$root/build/app/ravelo"
exec "$root/build/app/ravelo" "$root/samples/sample.rvl"
