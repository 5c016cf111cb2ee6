#!/usr/bin/env bash
# The Debian package: made by CPack from the build, checked by lintian (no errors; its warnings are
# shown), its dependencies computed from the programs, and its contents unpacked into a temporary
# root, where the installed editor starts on the installed sample and shows its window with its icon.
# usage: package.sh BUILD_DIR SOURCE_DIR BUILT_RAVELO_CLI
set -euo pipefail
build=$1 source=$2 built_cli=$3
for tool in cpack dpkg-deb dpkg-shlibdeps lintian xvfb-run xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

if [ -z "${RAVELO_PACKAGE_DISPLAY:-}" ]; then
  exec env RAVELO_PACKAGE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  [ -f "$work/editor.log" ] && cat "$work/editor.log"
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
packages=("$work"/package/ravelo_*_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "no package ravelo_VERSION_ARCH.deb"
deb=${packages[0]}
echo "${deb##*/}"

lintian --fail-on error --display-info "$deb" || fail "lintian found errors"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libwxgtk3.2 libcairo2 libgcab-1.0-0; do
  grep -q "$library" <<<"$depends" || fail "the dependencies lack $library: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" \
  XDG_DATA_HOME="$work/data" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

sample="$root/usr/share/doc/ravelo/examples/sample.rvl"
expected=$("$built_cli" info "$source/samples/sample.rvl")
counts=$("$root/usr/bin/ravelo-cli" info "$sample")
[ "$counts" = "$expected" ] || fail "the packaged ravelo-cli reads the sample as '$counts', not '$expected'"

# The editor runs until the window has been looked at; its test hook records what it shows.
printf '%s\n' "log-title" "log-status" "wait-file $work/seen" "quit" >"$work/script"
"$root/usr/bin/ravelo" --test-script "$work/script" --test-log "$work/editor.log" "$sample" &
editor=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "sample.rvl - ラヴェロ" | head -1) ||
  fail "the packaged editor showed no window"
icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
touch "$work/seen"
wait "$editor" || fail "the packaged editor ended with a failure"
grep -qxF "title sample.rvl - ラヴェロ" "$work/editor.log" || fail "the editor's title is wrong"
grep -qxF "status object Object ${expected##* }" "$work/editor.log" || fail "the editor counts the sample wrong"
grep -qF "Icon (48 x 48)" <<<"$icons" || fail "the window has no 48 x 48 icon: $icons"
echo passed
