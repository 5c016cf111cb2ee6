#!/usr/bin/env bash
# The desktop registration, checked with the desktop's own tools: the launcher is valid, a .rvl
# file is of the document type and the editor is the application that opens it.
# usage: desktop_registration.sh SOURCE_DIR
set -euo pipefail
root=$1
for tool in desktop-file-validate gio update-mime-database; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
touch "$work/ravelo" && chmod +x "$work/ravelo"

"$root/tools/install-desktop.sh" "$work/ravelo"

desktop-file-validate "$XDG_DATA_HOME/applications/ravelo.desktop"
grep -qx "Exec=$work/ravelo %f" "$XDG_DATA_HOME/applications/ravelo.desktop"
for icon in apps/ravelo mimetypes/application-x-ravelo; do
  [ -s "$XDG_DATA_HOME/icons/hicolor/48x48/$icon.png" ] && [ -s "$XDG_DATA_HOME/icons/hicolor/scalable/$icon.svg" ] ||
    { echo "$icon is not installed"; exit 1; }
done

printf 'MSCF\0\0\0\0' >"$work/sample.rvl"
printf 'plain text' >"$work/other.RVL"
for file in sample.rvl other.RVL; do
  type=$(gio info -a standard::content-type "$work/$file" | sed -n 's/^ *standard::content-type: //p')
  [ "$type" = application/x-ravelo ] || { echo "$file is $type"; exit 1; }
done
handler=$(LANG=C gio mime application/x-ravelo)
grep -q 'Default application for .application/x-ravelo.: ravelo.desktop' <<<"$handler" || {
  echo "$handler"
  exit 1
}
echo passed
