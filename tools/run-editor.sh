#!/usr/bin/env bash
# Installs what is missing, builds, registers the document type with the desktop and starts the
# editor on the bundled sample document (or on a new document while there is none).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh" release
"$root/tools/install-desktop.sh" "$root/build/app/ravelo"
sample="$root/samples/sample.rvl"
if [ -f "$sample" ]; then
  exec "$root/build/app/ravelo" "$sample"
fi
exec "$root/build/app/ravelo"
