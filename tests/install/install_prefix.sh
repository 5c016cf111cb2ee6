#!/usr/bin/env bash
# The install step, checked in a temporary prefix: every file in its place, the icons the sizes their
# folders say, the launcher, the metainfo and the man pages accepted by the desktop's and the
# manual pager's own tools, and the installed ravelo-cli working on the installed sample document.
# usage: install_prefix.sh BUILD_DIR SOURCE_DIR BUILT_RAVELO_CLI
set -euo pipefail
build=$1 source=$2 built_cli=$3
for tool in desktop-file-validate appstreamcli identify man; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"

[ -x "$prefix/bin/ravelo" ] && [ -x "$prefix/bin/ravelo-cli" ] || fail "the programs are not in bin/"
for file in applications/ravelo.desktop mime/packages/ravelo.xml metainfo/jp.orvenda.ravelo.metainfo.xml \
  man/man1/ravelo.1.gz man/man1/ravelo-cli.1.gz doc/ravelo/copyright doc/ravelo/changelog.gz \
  doc/ravelo/examples/sample.rvl icons/hicolor/scalable/apps/ravelo.svg \
  icons/hicolor/scalable/mimetypes/application-x-ravelo.svg; do
  [ -s "$share/$file" ] || fail "share/$file is missing"
done
for size in 16 22 24 32 48 64 128 256; do
  for icon in apps/ravelo mimetypes/application-x-ravelo; do
    png="$share/icons/hicolor/${size}x$size/$icon.png"
    [ "$(identify -format '%wx%h %[channels]' "$png")" = "${size}x$size srgba" ] || fail "$png is not a ${size}x$size icon with alpha"
  done
done

desktop-file-validate "$share/applications/ravelo.desktop"
grep -qx 'Exec=ravelo %f' "$share/applications/ravelo.desktop" || fail "the launcher does not run the installed editor"
grep -qx 'Icon=ravelo' "$share/applications/ravelo.desktop" || fail "the launcher has no icon"
# The metainfo with the launcher and the icons it refers to, as installed; its screenshot's size is
# that of the stored picture.
appstreamcli validate-tree --no-net "$prefix"
shot=$(identify -format '%wx%h' "$source/data/screenshots/editor.png")
grep -q "width=\"${shot%x*}\" height=\"${shot#*x}\"" "$share/metainfo/jp.orvenda.ravelo.metainfo.xml" ||
  fail "the metainfo does not give the screenshot's size $shot"
for page in ravelo ravelo-cli; do
  warnings=$(man --warnings -E UTF-8 -l "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done

cli="$prefix/bin/ravelo-cli"
cmp -s "$source/samples/sample.rvl" "$share/doc/ravelo/examples/sample.rvl" || fail "the installed sample differs"
expected=$("$built_cli" info "$source/samples/sample.rvl")
counts=$("$cli" info "$share/doc/ravelo/examples/sample.rvl")
[ "$counts" = "$expected" ] || fail "the installed ravelo-cli reads the sample as '$counts', not '$expected'"
"$cli" render "$share/doc/ravelo/examples/sample.rvl" -o "$work/sample.png"
[ "$(identify -format %m "$work/sample.png")" = PNG ] || fail "the installed ravelo-cli drew no PNG"
status=0
"$cli" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "a call without a subcommand ended with $status, not 2"
echo passed
