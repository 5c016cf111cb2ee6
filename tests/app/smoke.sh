#!/usr/bin/env bash
# Smoke tests of the editor window on a virtual X server (24 bits per pixel, 8 for the depth check).
# usage: smoke.sh CASE RAVELO [READBACK]
# Each case starts the real program with its test hook (--test-script / --test-log), which records
# message boxes and answers them instead of showing them, and checks the log and the files left.
set -euo pipefail

case_name=$1
ravelo=$2
readback=${3:-}

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

# run NAME [ARGS...]: runs the program on script NAME, its log in NAME.log.
run() {
  local name=$1
  shift
  "$ravelo" --test-script "$work/$name" --test-log "$work/$name.log" "$@"
}

# expect LOG LINE: the log holds exactly this line.
expect() { grep -qxF -- "$2" "$work/$1" || fail "$1 lacks: $2"; }
reject() { ! grep -qF -- "$2" "$work/$1" || fail "$1 must not hold: $2"; }

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
    reject again.log "message"
    ;;

  colour-depth)
    status=0
    script depth "log-title"
    run depth || status=$?
    [ "$status" -ne 0 ] || fail "the program went on at 8 bits per pixel"
    expect depth.log "message information ok 現在のモニタ色深度は、8ビットです\\nこのソフトは、16, 24, 32ビット以外では正常に動作しません"
    [ ! -e "$settings" ] || fail "settings were written although no frame was made"
    ;;

  *)
    echo "unknown case $case_name"
    exit 2
    ;;
esac
echo "passed: $case_name"
