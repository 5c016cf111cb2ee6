#!/usr/bin/env bash
# Smoke tests of the editor window on a virtual X server (24 bits per pixel, 8 for the depth check).
# usage: smoke.sh CASE RAVELO MAKE_TEST_DOCUMENT RAVELO_CLI
# Each case starts the real program with its test hook (--test-script / --test-log), which records
# message boxes and answers them instead of showing them, and checks the log and the files left.
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

wait_for_line() {
  for _ in $(seq 200); do
    grep -qxF -- "$2" "$work/$1" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "$1 never showed: $2"
}

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
    script scrolled "sleep 300" "log-view" "quit"
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
    script open "sleep 300" "log-status" "log-title" "log-view" "screenshot $work/open.png" \
      "key ctrl+shift+tab" "sleep 300" "log-view" "key ctrl+tab" "sleep 300" "log-view" "quit"
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
      "command ID_VIEW_FLOW" "key ctrl+s" "sleep 1000" "log-title" \
      "command ID_FILE_NEW" "file $work/new" "key ctrl+s" "sleep 1000" "log-title" "log-status" "quit"
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
