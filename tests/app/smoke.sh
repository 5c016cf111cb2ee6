#!/usr/bin/env bash
# Smoke tests of the editor window on a virtual X server (24 bits per pixel, 8 for the depth check).
# usage: smoke.sh CASE RAVELO MAKE_TEST_DOCUMENT RAVELO_CLI
# Each case starts the real program with its test hook (--test-script / --test-log), which records
# message boxes and answers them instead of showing them, and checks the log and the files left.
# The hook runs each script line only once the program is at rest after the line before, and after
# "wait-file F" only once the input sent before F was made has been handled; so neither the scripts
# nor the shell wait for a fixed time: the shell waits for the lines the program logs (wait_for).
set -euo pipefail

case_name=$1
ravelo=$2
make_document=$3
cli=$4

if [ -z "${RAVELO_SMOKE_DISPLAY:-}" ]; then
  command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed: skipped"; exit 77; }
  depth=24
  [ "$case_name" = colour-depth ] && depth=8
  exec env RAVELO_SMOKE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x$depth" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" \
  XDG_DATA_HOME="$work/data" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Orvenda/Ravelo.ini"

fail() {
  echo "FAILED: $*"
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "--- $log"; cat "$log"; }; done
  exit 1
}

# script NAME LINES...: writes a test script.
script() {
  local name=$1
  shift
  printf '%s\n' "$@" >"$work/$name"
}

# run NAME [ARGS...]: runs the program on script NAME, its log in NAME.log. A script line the hook
# did not understand, or a dialog the script left open, fails the test.
run() {
  local name=$1 status=0
  shift
  "$ravelo" --test-script "$work/$name" --test-log "$work/$name.log" "$@" || status=$?
  ! grep -qE '^(unknown|no-dialog|no-control|no-button|dialog-left-open)' "$work/$name.log" ||
    fail "the script of $name went wrong"
  return "$status"
}

# expect LOG LINE: the log holds exactly this line.
expect() { grep -qxF -- "$2" "$work/$1" || fail "$1 lacks: $2"; }
# reject LOG PREFIX: no line of the log begins with PREFIX.
reject() { ! awk -v p="$2" 'index($0, p) == 1 { found = 1 } END { exit !found }' "$work/$1" || fail "$1 must not hold: $2"; }

# setting SECTION KEY: the value stored in the settings file.
setting() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$settings"
}
expect_setting() {
  local value
  value=$(setting "$1" "$2")
  [ "$value" = "$3" ] || fail "$1/$2 is '$value', not '$3'"
}

# patiently COMMAND...: runs the command every tenth of a second until it succeeds; false after half
# a minute, well within the test's time limit, so that a failure still shows the logs.
patiently() {
  for _ in $(seq 300); do
    "$@" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
holds() { [ "$(grep -c -- "$2" "$work/$1")" -ge "$3" ]; }
# wait_for LOG PATTERN [COUNT]: waits until the log holds COUNT (1) lines matching the regular
# expression PATTERN.
wait_for() { patiently holds "$1" "$2" "${3:-1}" || fail "$1 never held ${3:-1} lines of: $2"; }
# wait_for_line LOG LINE: waits until the log holds exactly this line.
wait_for_line() { patiently grep -qxF -- "$2" "$work/$1" || fail "$1 never showed: $2"; }

# click LOG NAME: waits for the line the hook logged for control NAME, then clicks near its left end
# with real pointer input.
click() {
  local line
  wait_for "$1" "^window $2 "
  line=$(grep -m1 "^window $2 " "$work/$1")
  read -r _ _ x y _ height shown <<<"$line"
  [ "$shown" = shown ] || fail "$2 is not on the screen: $line"
  xdotool mousemove $((x + 12)) $((y + height / 2)) click 1
}
titles() { "$cli" dump "$1" | grep -o '"Title":"[^"]*"' | tr '\n' ' '; }
titles_are() { [ "$(titles "$1")" = "$2" ]; }
# expect_titles FILE TITLES: the saved document comes to hold these titles.
expect_titles() { patiently titles_are "$1" "$2" || fail "$1 holds the titles $(titles "$1"), not $2"; }

case "$case_name" in
  second-instance)
    script first "wait-file $work/second.done" "log-status" "quit"
    run first &
    first=$!
    wait_for_line first.log started
    status=0
    "$ravelo" --test-log "$work/second.log" || status=$?
    [ "$status" -ne 0 ] || fail "the second instance did not end with a failure status"
    expect second.log "message stop ok 既に起動しています"
    [ "$(wc -l <"$work/second.log")" -eq 1 ] || fail "the second instance did more than tell"
    [ ! -e "$settings" ] || fail "the second instance wrote settings"
    touch "$work/second.done"
    wait "$first" || fail "the first instance failed"
    expect first.log "status object Object 0"
    expect_setting SYS PlayAnime 3
    ;;

  settings-dialog)
    script dialog \
      "command ID_KAN_SET" "dialog-log" \
      "dialog-set FirstOpen 1" "dialog-set AnimeCount 25" "dialog-set SpeedAnime3 1" \
      "dialog-set SelPart1 1" "dialog-set MakeBackup 0" "dialog-press ok" \
      "command ID_KAN_SET" "dialog-log" "dialog-press cancel" "quit"
    run dialog
    expect dialog.log "control AnimeCount 3"
    expect dialog.log "control AnimeCount 10"
    expect dialog.log "control SelPart1 1"
    expect_setting SYS FirstOpen 1
    expect_setting SYS PlayAnime 10
    expect_setting SYS SpeedAnime 3
    expect_setting SYS SelPart 1
    expect_setting SYS MakeBackup 0
    expect_setting SYS BkColRnd 1
    # Starting again with FirstOpen and no recent document: a new document and no message.
    script again "log-title" "quit"
    run again
    expect again.log "title 無題 - ラヴェロ"
    reject again.log "message "
    ;;

  scroll-restore)
    # A document opens where its chart was left, in both directions.
    "$make_document" "$work/scrolled.rvl" --scrolled
    script scrolled "log-view" "quit"
    run scrolled "$work/scrolled.rvl"
    grep -q '^view .* scroll 900 250 chart 0$' "$work/scrolled.log" || fail "the view did not come back to 900 250"
    ;;

  built-in-picture-dialog)
    # The built-in picture dialog opens; stopping it changes nothing.
    "$make_document" "$work/doc.rvl"
    script pictures "command SET_BUILT_IN_PICTURE" "dialog-log" "dialog-press cancel" "log-title" "quit"
    run pictures "$work/doc.rvl"
    expect pictures.log "dialog 既定のイメージから選択"
    expect pictures.log "title doc.rvl - ラヴェロ"
    reject pictures.log "message "
    ;;

  colour-depth)
    status=0
    script depth "log-title"
    run depth || status=$?
    [ "$status" -ne 0 ] || fail "the program went on at 8 bits per pixel"
    expect depth.log "message information ok 現在のモニタ色深度は、8ビットです\\nこのソフトは、16, 24, 32ビット以外では正常に動作しません"
    [ ! -e "$settings" ] || fail "settings were written although no frame was made"
    ;;

  open-counts)
    "$make_document" "$work/doc.rvl"
    # Left-over undo snapshots in the work folder go when the frame closes; other files stay.
    mkdir -p "$XDG_RUNTIME_DIR/Ravelo"
    touch "$XDG_RUNTIME_DIR/Ravelo/RVLa1b2c3" "$XDG_RUNTIME_DIR/Ravelo/rvlx" "$XDG_RUNTIME_DIR/Ravelo/keep.rvl"
    script open "log-status" "log-title" "log-view" "screenshot $work/open.png" \
      "key ctrl+shift+tab" "log-view" "key ctrl+tab" "log-view" "quit"
    run open "$work/doc.rvl"
    expect open.log "status arc Arc 1(0)"
    expect open.log "status p-node P-Node 1(0)"
    expect open.log "status e-node E-Node 3(1)"
    expect open.log "status object Object 5"
    expect open.log "title doc.rvl - ラヴェロ"
    expect_setting "Recent File List" File1 "$work/doc.rvl"
    [ ! -e "$XDG_RUNTIME_DIR/Ravelo/RVLa1b2c3" ] && [ ! -e "$XDG_RUNTIME_DIR/Ravelo/rvlx" ] ||
      fail "undo snapshots were left in the work folder"
    [ -e "$XDG_RUNTIME_DIR/Ravelo/keep.rvl" ] || fail "the clean-up took a file that is no snapshot"
    # The middle of the view shows the Box chart's background colour of the document.
    read -r _ x y width height _ < <(grep -m1 '^view ' "$work/open.log")
    pixel=$(convert "$work/open.png" -format "%[pixel:p{$((x + width / 2)),$((y + height / 2))}]" info:)
    [ "$pixel" = "srgb(200,220,120)" ] || fail "the view shows $pixel"
    # Ctrl+Shift+Tab goes back from the Box chart to the Flow chart, Ctrl+Tab on to the Box chart.
    [ "$(grep '^view ' "$work/open.log" | sed 's/.* chart //' | tr '\n' ' ')" = "0 3 0 " ] ||
      fail "the chart keys did not switch the charts"
    ;;

  save-keys)
    "$make_document" "$work/doc.rvl"
    script save \
      "command ID_VIEW_FLOW" "key ctrl+s" "log-title" \
      "command ID_FILE_NEW" "file $work/new" "key ctrl+s" "log-title" "log-status" "quit"
    run save "$work/doc.rvl"
    [ "$("$cli" info "$work/doc.rvl")" = "Arc 1(0) P-Node 1(0) E-Node 3(1) Object 5" ] || fail "doc.rvl reads back wrong"
    "$cli" dump "$work/doc.rvl" | grep -q '"CurrentChart":3' || fail "the chart shown was not saved"
    [ -f "$work/doc(back).RVL" ] || fail "no backup of the overwritten document"
    expect save.log "file-dialog save $HOME/ 無題.rvl -> $work/new"
    [ "$("$cli" info "$work/new.rvl")" = "Arc 0(0) P-Node 0(0) E-Node 0(0) Object 0" ] || fail "new.rvl reads back wrong"
    expect save.log "title new.rvl - ラヴェロ"
    expect save.log "status object Object 0"
    expect_setting Last FilePath "$work/new.rvl"
    expect_setting "Recent File List" File1 "$work/new.rvl"
    expect_setting "Recent File List" File2 "$work/doc.rvl"
    reject save.log "message "
    ;;

  first-open)
    "$make_document" "$work/doc.rvl"
    mkdir -p "$(dirname "$settings")"
    printf '[SYS]\nFirstOpen=1\n[Recent File List]\nFile1=%s\n' "$work/doc.rvl" >"$settings"
    script first "log-status" "log-title" "quit"
    run first
    expect first.log "status object Object 5"
    expect first.log "title doc.rvl - ラヴェロ"
    ;;

  bad-command-line)
    status=0
    script bad "log-title"
    run bad "$work/missing.rvl" || status=$?
    [ "$status" -ne 0 ] || fail "the program went on without its document"
    expect bad.log "message stop ok $work/missing.rvl\\nファイルが見つかりません"
    reject bad.log "started"
    ;;

  click-select)
    # Real pointer input: a click selects a node, Ctrl+click adds a second, Shift+click takes the
    # first away again, a rubber band drawn round two nodes (from empty canvas) selects just them,
    # and Tab moves the main selection on.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    "$make_document" "$work/doc.rvl" --spread
    script clicks "log-view" "log-rect 1" "log-rect 2" "log-rect 3" \
      "wait-file $work/click" "log-selection" "wait-file $work/ctrl" "log-selection" \
      "wait-file $work/shift" "log-selection" "wait-file $work/band" "log-selection" \
      "key tab" "log-selection" "key ctrl+s" "quit"
    run clicks "$work/doc.rvl" &
    program=$!
    wait_for clicks.log '^rect 3 '
    read -r _ vx vy _ < <(grep -m1 '^view ' "$work/clicks.log")
    # point I DX DY: the screen point of object I's title rectangle, its centre when DX and DY are 0,
    # else DX and DY pixels beyond its left or right and top or bottom edge.
    point() { awk -v i="$1" -v vx="$vx" -v vy="$vy" -v dx="$2" -v dy="$3" '$1 == "rect" && $2 == i {
      x = dx < 0 ? $3 + dx : dx > 0 ? $5 + dx : ($3 + $5) / 2
      y = dy < 0 ? $4 + dy : dy > 0 ? $6 + dy : ($4 + $6) / 2
      printf "%d %d\n", vx + x, vy + y }' "$work/clicks.log"; }
    # step FILE PATTERN: lets the script log the selection, then waits for that line.
    step() { touch "$work/$1"; wait_for clicks.log "$2"; }
    read -r ax ay < <(point 1 0 0)
    read -r bx by < <(point 2 0 0)
    xdotool mousemove "$ax" "$ay" click 1
    step click '^selection main 1 pane 2 selected 1$'
    xdotool mousemove "$bx" "$by" keydown ctrl click 1 keyup ctrl
    step ctrl '^selection main 2 pane 2 selected 1 2$'
    xdotool mousemove "$ax" "$ay" keydown shift click 1 keyup shift
    step shift '^selection main 2 pane 2 selected 2$'
    read -r x1 y1 < <(point 1 -15 -15)
    read -r x2 y2 < <(point 2 15 15)
    xdotool mousemove "$x1" "$y1" mousedown 1 mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2)) \
      mousemove "$x2" "$y2" mouseup 1
    # The band holds nodes 1 and 2 only; the last end node in it becomes the main selection.
    step band '^selection main 2 pane 2 selected 1 2$'
    wait "$program" || fail "the program failed"
    # Tab makes the next object the main selection in place of the old one.
    expect clicks.log "selection main 3 pane 2 selected 1 3"
    "$cli" dump "$work/doc.rvl" | grep -q '"CurrentObject":3' || fail "the saved main selection is not node 3"
    ;;

  zoom-grid)
    # The zoom and grid commands of the ribbon, then real input: a click on the zoom console's plus
    # button and Ctrl with the wheel; the document saved with Ctrl+S keeps the zoom, grid and console.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    "$make_document" "$work/doc.rvl" --spread
    script zoom "command ZOOM_200" "command ID_GRID_2" "command ID_GRID_BTN" "command ID_GRID_BTN" \
      "command ID_ZOOM_DEF" "log-view" "screenshot $work/console.png" "wait-file $work/plus" \
      "wait-file $work/wheel" "key ctrl+s" "quit"
    run zoom "$work/doc.rvl" &
    program=$!
    wait_for zoom.log '^screenshot'
    read -r _ vx vy _ < <(grep -m1 '^view ' "$work/zoom.log")
    # The console stands at (79, 79) of the view; its plus button 65 - 60 = 5 .. 35 above-left of it.
    xdotool mousemove $((vx + 79)) $((vy + 79 - 45)) click 1
    touch "$work/plus"
    xdotool mousemove $((vx + 400)) $((vy + 400)) keydown ctrl click 5 click 5 keyup ctrl
    touch "$work/wheel"
    wait "$program" || fail "the program failed"
    dump=$("$cli" dump "$work/doc.rvl")
    # 200 %, plus 1 % from the button, less 20 % from two notches towards the user.
    echo "$dump" | grep -qE '"Zoom":\[1\.8(1|099)' || fail "the zoom is not 1.81: $(echo "$dump" | grep -o '"Zoom":[^]]*')"
    echo "$dump" | grep -q '"GridMode":2' || fail "the grid is not back on at 40 pixels"
    echo "$dump" | grep -q '"ConsoleX":79,"ConsoleY":79' || fail "the console is not at (79, 79)"
    # The console's face is drawn over the view: its green shows at its centre.
    pixel=$(convert "$work/console.png" -format "%[pixel:p{$((vx + 79)),$((vy + 79 + 30))}]" info:)
    [ "$pixel" != "srgb(200,220,120)" ] || fail "no console over the view"
    ;;

  drag-edit)
    # Real pointer drags: a node dragged down moves; dropped on another node's left half it gets a
    # link arc to it, on its right half that node becomes its parent; Ctrl+Z takes that back. Each
    # step is read back from the document saved with Ctrl+S.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    "$make_document" "$work/doc.rvl" --spread
    script drag "log-view" "log-rect 3" "wait-file $work/moved" \
      "key ctrl+s" "log-rect 2" "log-rect 3" "wait-file $work/linked" \
      "key ctrl+s" "log-rect 2" "log-rect 3" "wait-file $work/related" \
      "key ctrl+s" "log-selection" "wait-file $work/checked" \
      "key ctrl+z" "key ctrl+s" "quit"
    run drag "$work/doc.rvl" &
    program=$!
    # spot I X-SHARE: the screen point X-SHARE quarters across object I's last logged title
    # rectangle, one pixel below its top.
    spot() { awk -v i="$1" -v q="$2" -v vx="$vx" -v vy="$vy" '$1 == "rect" && $2 == i { l = $3; t = $4; r = $5 }
      END { printf "%d %d\n", vx + l + (r - l) * q / 4, vy + t + 1 }' "$work/drag.log"; }
    # drag X1 Y1 X2 Y2: the left button held from one screen point to the other in steps, at a
    # hand's pace.
    drag() {
      xdotool mousemove "$1" "$2" sleep 0.2 mousedown 1 sleep 0.1 \
        mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) sleep 0.1 mousemove "$3" "$4" sleep 0.2 mouseup 1
    }
    # node SERIAL FIELD: a field of the node with that serial in the saved document.
    node() {
      "$cli" dump "$work/doc.rvl" | python3 -c "import json, sys
d = json.load(sys.stdin)
print([o for o in d['objects'] if o['Kind'] == 2 and o['Serial'] == $1][0]['$2'])"
    }
    arcs() { "$cli" dump "$work/doc.rvl" | python3 -c "import json, sys
d = json.load(sys.stdin)
print(' '.join('%d>%d' % (o['Serial'], o['ToSerial']) for o in d['objects'] if o['Kind'] == 1))"; }
    wait_for drag.log '^rect 3 '
    read -r _ vx vy _ < <(grep -m1 '^view ' "$work/drag.log")
    read -r x y < <(spot 3 2)
    drag "$x" "$y" "$x" $((y + 100))
    touch "$work/moved"
    wait_for drag.log '^rect 3 ' 2
    [ "$(node 4 Pos)" = "[{'X': 600, 'Y': 300}, {'X': 600, 'Y': 200}, {'X': 600, 'Y': 200}, {'X': 600, 'Y': 200}]" ] ||
      fail "the dragged node is at $(node 4 Pos)"
    read -r x y < <(spot 3 2)
    read -r tx ty < <(spot 2 1)
    drag "$x" "$y" "$tx" "$ty"
    touch "$work/linked"
    wait_for drag.log '^rect 3 ' 3
    [ "$(arcs)" = "2>3 4>3" ] || fail "the arcs after the left-half drop are $(arcs)"
    [ "$(node 4 Pos)" = "[{'X': 600, 'Y': 300}, {'X': 600, 'Y': 200}, {'X': 600, 'Y': 200}, {'X': 600, 'Y': 200}]" ] ||
      fail "the linking drop moved the node"
    read -r x y < <(spot 3 2)
    read -r tx ty < <(spot 2 3)
    drag "$x" "$y" "$tx" "$ty"
    touch "$work/related"
    wait_for drag.log '^selection '
    [ "$(node 4 ParentSerials)" = "[1, 3, 0, 0, 0, 0, 0, 0, 0, 0]" ] || fail "the parents after the right-half drop are $(node 4 ParentSerials)"
    [ "$(node 3 IsEndNode)" = 0 ] || fail "the target did not become a parent node"
    touch "$work/checked"
    wait "$program" || fail "the program failed"
    [ "$(node 4 ParentSerials)" = "[1, 0, 0, 0, 0, 0, 0, 0, 0, 0]" ] || fail "Ctrl+Z left the parents $(node 4 ParentSerials)"
    [ "$(node 3 IsEndNode)" = 1 ] || fail "Ctrl+Z left the target a parent node"
    ;;

  star-open)
    # The Star chart is laid out when first shown and saved with its positions; a document left in
    # it opens in it again.
    "$make_document" "$work/doc.rvl"
    script switch "command ID_VIEW_STAR" "key ctrl+s" "quit"
    run switch "$work/doc.rvl"
    "$cli" dump "$work/doc.rvl" >"$work/doc.json"
    python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
nodes = [o for o in d["objects"] if o["Kind"] == 2]
sys.exit(d["header"]["CurrentChart"] != 1 or any(o["Pos"][1] == {"X": -1, "Y": -1} for o in nodes))' \
      "$work/doc.json" || fail "the Star chart was not laid out and saved"
    script open "log-view" "screenshot $work/star.png" "quit"
    run open "$work/doc.rvl"
    grep -q '^view .* chart 1$' "$work/open.log" || fail "the document did not open in the Star chart"
    expect open.log "screenshot saved"
    reject open.log "message "
    ;;

  action-recentre)
    # A double-click on a node of a document shown in the Action chart makes that node the centre:
    # after the animation it stands in the middle of the rings, and Ctrl+S saves it as the centre.
    "$make_document" "$work/doc.rvl"
    # Shown in the Action chart once, its view as large as the window so every node can be reached,
    # laid out around its centre with F5 and saved.
    script prepare "command ID_VIEW_ACT" "command ID_GAMEN_SIZE_ACT" "key f5" "key ctrl+s" "quit"
    run prepare "$work/doc.rvl"
    "$cli" dump "$work/doc.rvl" | grep -q '"CurrentChart":2' || fail "the document was not saved in the Action chart"
    # The first node other than the centre, with its place in the chart.
    read -r node px py < <("$cli" dump "$work/doc.rvl" | python3 -c '
import json, sys
d = json.load(sys.stdin)
centre = d["header"]["ActCenterObject"]
i = next(i for i, o in enumerate(d["objects"]) if o["Kind"] == 2 and i != centre)
print(i, d["objects"][i]["ActCurrent"]["X"], d["objects"][i]["ActCurrent"]["Y"])')
    # The view is logged again once the animation after the double-click has ended.
    script recentre "log-view" "wait-file $work/clicked" "log-view" "wait-file $work/saved" "quit"
    run recentre "$work/doc.rvl" &
    program=$!
    wait_for recentre.log '^view '
    read -r _ x y _ _ _ sx sy _ _ < <(grep -m1 '^view ' "$work/recentre.log")
    grep -q 'chart 2$' "$work/recentre.log" || fail "the document did not open in the Action chart"
    xdotool mousemove $((x + px - sx)) $((y + py - sy)) click --repeat 2 --delay 80 1
    touch "$work/clicked"
    wait_for recentre.log '^view ' 2
    xdotool key ctrl+s
    touch "$work/saved"
    wait "$program" || fail "the program failed"
    "$cli" dump "$work/doc.rvl" | python3 -c '
import json, sys
d = json.load(sys.stdin)
h, node = d["header"], int(sys.argv[1])
o = d["objects"][node]
assert h["ActCenterObject"] == node, ("centre", h["ActCenterObject"], node)
assert (o["ActTarget"]["X"], o["ActTarget"]["Y"]) == (h["ActCenterX"], h["ActCenterY"]), o["ActTarget"]
assert all(n["ActCurrent"] == n["ActTarget"] for n in d["objects"] if n["Kind"] == 2), "a node stopped half way"
' "$node" || fail "the saved document does not hold node $node as the centre"
    ;;

  search-replace)
    # Real pointer and key input (xdotool): search a title, replace it in bulk, save, undo.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    "$make_document" "$work/doc.rvl"
    script search "log-view" "log-window search-text" "log-window search-button" "log-window result-list-1" \
      "log-window switch-button" "wait-file $work/searched" "log-search" "log-window replace-text" \
      "answer yes" "log-window replace-button" "wait-file $work/replaced" "quit"
    run search "$work/doc.rvl" &
    app=$!
    click search.log search-text
    xdotool type --delay 60 "a"
    click search.log search-button
    # The hit row is activated from the keyboard (as a double click does): its object becomes the
    # main selection, which the saved document keeps.
    wait_for search.log '^window result-list-1 '
    read -r _ _ x y _ _ _ < <(grep -m1 '^window result-list-1 ' "$work/search.log")
    xdotool mousemove $((x + 12)) $((y + 8)) click 1
    xdotool key Down Return
    click search.log switch-button
    touch "$work/searched"
    wait_for_line search.log "result a【タイトル】(1)"
    expect search.log "result 検索オブジェクト数 4件、ヒット数 1件"
    click search.log replace-text
    xdotool type --delay 60 "zz"
    click search.log replace-button
    wait_for_line search.log "message information ok 置換対象数 4件\\n置換数 1件\\n\\n「すべて」の中から「a」を「zz」に大文字・小文字を区別しないで一括置換を完了しました"
    read -r _ x y width height _ < <(grep -m1 '^view ' "$work/search.log")
    xdotool mousemove $((x + width / 2)) $((y + height / 2))
    xdotool key ctrl+s
    expect_titles "$work/doc.rvl" '"Title":"group" "Title":"zz" "Title":"b" "Title":"c" "Title":"" '
    "$cli" dump "$work/doc.rvl" | grep -q '"CurrentObject":1' || fail "the hit was not selected"
    xdotool key ctrl+z
    xdotool key ctrl+s
    expect_titles "$work/doc.rvl" '"Title":"group" "Title":"a" "Title":"b" "Title":"c" "Title":"" '
    touch "$work/replaced"
    wait "$app" || fail "the editor failed"
    expect search.log "message question yes 置換対象数 : 全 1件\\n\\n「すべて」の中から「a」を「zz」に大文字・小文字を区別しないで一括置換してよろしいですか"
    ;;

  dictionary-dialogs)
    # Real input through the dictionary dialogs: the folder is made, a dictionary and a pair are
    # added, and the pane replaces by it.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    "$make_document" "$work/doc.rvl"
    script dic "log-window switch-button" "wait-file $work/s1" \
      "log-window dictionary-manage-button" "wait-file $work/s2" \
      "log-window dictionary-add" "wait-file $work/s3" \
      "log-window name" "log-window name-ok" "wait-file $work/s4" \
      "log-window pair-add" "wait-file $work/s5" \
      "answer yes" "log-window before" "log-window after" "log-window phrase-ok" "wait-file $work/s6" \
      "log-window dictionary-exit" "wait-file $work/s7" \
      "answer yes" "log-window dictionary-replace-button" "wait-file $work/s8" "quit"
    run dic "$work/doc.rvl" &
    app=$!
    click dic.log switch-button && touch "$work/s1"
    click dic.log dictionary-manage-button && touch "$work/s2"
    click dic.log dictionary-add && touch "$work/s3"
    click dic.log name && xdotool type --delay 60 "places"
    click dic.log name-ok && touch "$work/s4"
    patiently test -f "$HOME/dic/places" || fail "the dictionary file was not made: $(ls -R "$HOME")"
    click dic.log pair-add && touch "$work/s5"
    click dic.log before && xdotool type --delay 60 "b"
    click dic.log after && xdotool type --delay 60 "bee"
    click dic.log phrase-ok
    wait_for_line dic.log "message question yes 置換前の語句：b\\n置換後の語句：bee\\n\\nを置換辞書『places』へ登録してよろしいですか"
    # The pair is written once the answer is in: the line after the wait shows it done.
    touch "$work/s6"
    wait_for dic.log '^window dictionary-exit '
    [ "$(od -An -c "$HOME/dic/places" | tr -s ' ')" = " b \t b e e \r \n" ] || fail "dictionary bytes: $(od -c "$HOME/dic/places")"
    click dic.log dictionary-exit && touch "$work/s7"
    click dic.log dictionary-replace-button
    wait_for_line dic.log "message information ok 置換対象数 4件\\n置換数 1件\\n\\n「すべて」の中の文字を置換辞書「places」を使用して大文字・小文字を区別しないで一括置換を完了しました"
    touch "$work/s8"
    wait "$app" || fail "the editor failed"
    expect_setting Search RepDic places
    ;;

  image-save)
    # The chart saved as images through the command; the PNG is as wide and high as the view and
    # no object stays selected. The JPEG asks its quality in its dialog.
    "$make_document" "$work/doc.rvl"
    script image "file $work/chart.png" "answer no" "command ID_FILE_IMAGE" "sleep 500" \
      "file $work/chart.jpeg" "answer no" "command ID_FILE_IMAGE" "sleep 500" "dialog-log" "dialog-press ok" \
      "sleep 500" "quit"
    run image "$work/doc.rvl"
    expect image.log "file-dialog image 無題の見出し -> $work/chart.png"
    expect image.log "message question no 正常に保存しました\\n保存場所を表示しますか"
    expect image.log "dialog 画質設定"
    [ "$(identify -format '%m %w %h' "$work/chart.png")" = "PNG 1500 1500" ] || fail "chart.png: $(identify "$work/chart.png")"
    [ "$(identify -format '%m %Q' "$work/chart.jpeg")" = "JPEG 100" ] || fail "chart.jpeg: $(identify "$work/chart.jpeg")"
    expect_setting Last Quality 100
    ;;

  print-dialog)
    # Ctrl+P opens the print dialog; turning it to landscape and showing the margins is kept.
    "$make_document" "$work/doc.rvl"
    script print "sleep 300" "key ctrl+p" "sleep 1500" "dialog-log" "dialog-set Landscape 1" \
      "dialog-set DspYohaku 1" "dialog-set HaniPages 1" "dialog-set AllOne 1" "dialog-press cancel" "quit"
    run print "$work/doc.rvl"
    expect print.log "dialog 印刷"
    expect print.log "control Portrait 1"
    expect print.log "control HaniAll 1"
    expect_setting Insatu Orientation 2
    expect_setting Insatu DspYohaku 1
    expect_setting Insatu Hani 3
    expect_setting Insatu AllOne 1
    ;;

  chart-keys)
    # Ctrl+Tab and Ctrl+Shift+Tab typed on the keyboard go round all four charts; after each save
    # the document names the chart shown. Entering the Flow chart lays it out.
    command -v xdotool >/dev/null || { echo "xdotool is not installed: skipped"; exit 77; }
    cp "$(dirname "$0")/../../samples/sample.rvl" "$work/doc.rvl"
    script keys "wait-file $work/cycled" "log-view" "quit"
    run keys "$work/doc.rvl" &
    app=$!
    wait_for_line keys.log started
    window=$(xdotool search --sync --onlyvisible --name 'ラヴェロ' | head -1)
    xdotool windowfocus --sync "$window"
    # type KEY, then Ctrl+S, and wait until the saved document shows chart EXPECTED.
    type_and_save() {
      xdotool key --clearmodifiers "$1" ctrl+s
      for _ in $(seq 100); do
        "$cli" dump "$work/doc.rvl" >"$work/dump.json" || true
        grep -q "\"CurrentChart\":$2," "$work/dump.json" && return 0
        sleep 0.1
      done
      fail "after $1 the saved document does not show chart $2"
    }
    type_and_save ctrl+Tab 1
    type_and_save ctrl+Tab 2
    type_and_save ctrl+Tab 3
    python3 -c '
import json, sys
nodes = [o for o in json.load(sys.stdin)["objects"] if o["Kind"] == 2]
sys.exit(any(o["Pos"][3] == {"X": -1, "Y": -1} for o in nodes) or not nodes)' <"$work/dump.json" ||
      fail "the Flow chart was not laid out when it was shown"
    type_and_save ctrl+Tab 0
    type_and_save ctrl+shift+Tab 3
    type_and_save ctrl+shift+Tab 2
    touch "$work/cycled"
    wait "$app" || fail "the editor failed"
    grep -q ' chart 2$' "$work/keys.log" || fail "the view does not show the Action chart"
    # Back from the Flow chart with Ctrl+Tab, the Box chart is where it was left.
    "$make_document" "$work/scrolled.rvl" --scrolled
    script round "wait-file $work/to-flow" "sleep 300" "log-view" "wait-file $work/to-box" "sleep 300" "log-view" "quit"
    run round "$work/scrolled.rvl" &
    app=$!
    wait_for_line round.log started
    sleep 1
    xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --name 'ラヴェロ' | head -1)"
    xdotool key --clearmodifiers ctrl+shift+Tab
    touch "$work/to-flow"
    for _ in $(seq 100); do grep -q '^view ' "$work/round.log" && break; sleep 0.1; done
    grep -q '^view .* chart 3$' "$work/round.log" || fail "Ctrl+Shift+Tab did not go from the Box chart to the Flow chart"
    xdotool key --clearmodifiers ctrl+Tab
    touch "$work/to-box"
    wait "$app" || fail "the editor failed"
    grep -q '^view .* scroll 900 250 chart 0$' "$work/round.log" || fail "the Box chart did not come back to 900 250"
    ;;

  flow-reset)
    # The Flow chart's reset asks first: declined, the document keeps its Flow positions; agreed,
    # the chart is laid out afresh, parent above children.
    "$make_document" "$work/doc.rvl"
    script declined "command ID_VIEW_FLOW" "sleep 300" "command ID_FIRST_POS_FLOW" "sleep 300" \
      "command ID_FILE_SAVE" "sleep 500" "quit"
    run declined "$work/doc.rvl"
    expect declined.log "message question no ノード位置が最初の状態に戻りますがよろしいですか\n※ 直後であれば、アンドゥボタンで戻すことができます"
    flow_positions() {
      "$cli" dump "$work/doc.rvl" >"$work/dump.json"
      python3 -c '
import json
d = json.load(open("'"$work/dump.json"'"))
print(d["header"]["CurrentChart"], " ".join("%d,%d" % (o["Pos"][3]["X"], o["Pos"][3]["Y"]) for o in d["objects"] if o["Kind"] == 2))'
    }
    [ "$(flow_positions)" = "3 0,0 0,0 0,0 0,0" ] || fail "declining changed the Flow positions: $(flow_positions)"
    script agreed "answer yes" "command ID_FIRST_POS_FLOW" "sleep 300" "command ID_FILE_SAVE" "sleep 500" "quit"
    run agreed "$work/doc.rvl"
    read -r chart root first second third < <(flow_positions)
    [ "$chart" = 3 ] || fail "the document left the Flow chart"
    [ "${root#*,}" -lt "${first#*,}" ] && [ "${first#*,}" = "${second#*,}" ] && [ "${second#*,}" = "${third#*,}" ] ||
      fail "the reset did not lay the chart out: $root $first $second $third"
    ;;

  data-panel)
    # Import a CSV file into the new document, export it again as CSV, save it; then an import
    # from the history of a damaged workbook is refused and leaves the document as it was.
    printf '見出し\r\n,家族,家の記事,,父,,母,夫婦,結婚\r\n,家族,家の記事,,母,\r\n' | iconv -t CP932 >"$work/team.csv"
    script import \
      "answer yes" "file $work/team.csv" "command ID_IMPORT_OBJ" "sleep 300" "log-status" \
      "answer no" "file $work/out.csv" "answer no" "command ID_EXPORT_OBJ" "sleep 300" \
      "file $work/team" "key ctrl+s" "sleep 1000" "log-title" "quit"
    run import
    expect import.log "file-dialog import 0 -> $work/team.csv"
    expect import.log "message question yes ２行目から読込みを開始しますか\\n１行目から読込む-「いいえ」\\n中止-「キャンセル」\\n※ １行目がデータの見出しのときは「はい」にしてください"
    expect import.log "status object Object 4"
    expect import.log "title team.rvl - ラヴェロ"
    [ "$("$cli" info "$work/team.rvl")" = "Arc 1(0) P-Node 1(0) E-Node 2(0) Object 4" ] || fail "team.rvl reads back wrong"
    "$cli" dump "$work/team.rvl" | grep -q '"Text":"team"' || fail "the headline is not the file's name"
    expect_setting Load Import0 "$work/team.csv"
    iconv -f CP932 "$work/out.csv" | tail -n 2 | cmp -s - <(iconv -f CP932 "$work/team.csv" | tail -n 2) ||
      fail "the exported rows differ from the imported ones"

    printf 'PK\003\004broken' >"$work/broken.xlsx"
    sed -i "s|^Import0=.*|Import0=$work/broken.xlsx|" "$settings"
    script history "command ID_IMPORT_F1" "sleep 300" "log-status" "quit"
    run history "$work/team.rvl"
    expect history.log "message stop ok Excelからの読込みに失敗しました"
    expect history.log "status object Object 4"
    expect_setting Load Import0 "$work/broken.xlsx"
    ;;

  damaged-settings)
    # A settings file with lines that cannot be read: after a start, an open and a close, every value
    # that could be read is still in the settings file, and the damaged file is kept as it was.
    "$make_document" "$work/doc.rvl"
    mkdir -p "$(dirname "$settings")"
    printf '[SYS]\nMakeBackup=0\nthis line is no setting\n[NodeDef]\nFontSize=20\nrefMen=255\n' >"$settings"
    printf '[Insatu]\nPaperSize=8\nMarginLmm=\xff\xfe\n[Workspace]\nApplicationLook=212\n' >>"$settings"
    cp "$settings" "$work/damaged.ini"
    script damaged "log-title" "quit"
    run damaged "$work/doc.rvl"
    expect damaged.log "message warning ok $settings.unreadable\\n設定ファイルの一部を読み込めませんでした\\n読み込めた設定を使い、元のファイルは上の名前で残しました"
    expect damaged.log "title doc.rvl - ラヴェロ"
    cmp -s "$settings.unreadable" "$work/damaged.ini" || fail "the damaged file was not kept as it was"
    expect_setting SYS MakeBackup 0
    expect_setting NodeDef FontSize 20
    expect_setting NodeDef refMen 255
    expect_setting Insatu PaperSize 8
    expect_setting Workspace ApplicationLook 212
    expect_setting "Recent File List" File1 "$work/doc.rvl"
    # Told once: the next start finds a whole file.
    script again "log-title" "quit"
    run again
    reject again.log "message "
    ;;

  *)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
echo "passed: $case_name"
