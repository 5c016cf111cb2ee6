#!/usr/bin/env bash
# Takes the screenshot of the editor that the AppStream metainfo shows (data/screenshots/editor.png):
# the editor on the sample document, on a virtual X server without a window manager.
# usage: take-screenshot.sh [PROGRAM]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/ravelo}")

if [ -z "${RAVELO_SCREENSHOT_DISPLAY:-}" ]; then
  exec env RAVELO_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$program"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
mkdir -m 700 "$work/run"
printf '%s\n' "sleep 1500" "screenshot $work/screen.png" "wait-file $work/measured" "quit" >"$work/script"
"$program" --test-script "$work/script" --test-log "$work/log" "$root/samples/sample.rvl" &
window=$(xdotool search --sync --onlyvisible --name "ラヴェロ" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
for _ in $(seq 100); do grep -q '^screenshot saved' "$work/log" 2>/dev/null && break; sleep 0.2; done
touch "$work/measured"
wait
grep -q '^screenshot saved' "$work/log" || { cat "$work/log"; exit 1; }
mkdir -p "$root/data/screenshots"
convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$root/data/screenshots/editor.png"
echo "data/screenshots/editor.png: ${WIDTH}x${HEIGHT}"
