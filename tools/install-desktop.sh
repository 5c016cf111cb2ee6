#!/usr/bin/env bash
# Registers the editor with the desktop of the current user: the document type *.rvl
# ("ラヴェロドキュメント") and a launcher that opens such documents, so that a file manager opens
# .rvl files with the program, and the icons of both. usage: install-desktop.sh [PROGRAM]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/ravelo}")
data=${XDG_DATA_HOME:-$HOME/.local/share}

mkdir -p "$data/applications" "$data/mime/packages"
sed "s|@RAVELO@|$program|" "$root/data/ravelo.desktop.in" >"$data/applications/ravelo.desktop"
cp "$root/data/ravelo-mime.xml" "$data/mime/packages/ravelo.xml"
icons="$root/resources/icons" hicolor="$data/icons/hicolor"
for png in "$icons"/app_*.png; do
  size=${png##*_} && size=${size%.png}
  install -D -m 644 "$png" "$hicolor/${size}x$size/apps/ravelo.png"
  install -D -m 644 "$icons/document_$size.png" "$hicolor/${size}x$size/mimetypes/application-x-ravelo.png"
done
install -D -m 644 "$icons/app.svg" "$hicolor/scalable/apps/ravelo.svg"
install -D -m 644 "$icons/document.svg" "$hicolor/scalable/mimetypes/application-x-ravelo.svg"

if command -v update-mime-database >/dev/null; then update-mime-database "$data/mime"; fi
if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$data/applications"; fi
if command -v xdg-mime >/dev/null; then xdg-mime default ravelo.desktop application/x-ravelo; fi
