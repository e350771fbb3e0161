#!/bin/sh
# Installs the game from its build tree into an empty prefix and checks what a desktop gets:
# the binary, its menu entry, its icon in five sizes, its software-centre entry, its manual page
# with every option of --help, its copyright and changelog, and nothing else. Then the
# installed binary plays a few steps and takes a screenshot from another directory, with no
# display, which works only because its pictures are inside it.
# Usage: install_test.sh CMAKE BUILD_DIR VERSION. Exit 0 passed, 1 failed.
set -eu

cmake=${1:?usage: install_test.sh CMAKE BUILD_DIR VERSION}
build=${2:?usage: install_test.sh CMAKE BUILD_DIR VERSION}
version=${3:?usage: install_test.sh CMAKE BUILD_DIR VERSION}
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" ||
  fail "cmake --install failed: $(cat "$work/install.log")"

expected='bin/reddoor
share/applications/reddoor.desktop
share/doc/reddoor/changelog.gz
share/doc/reddoor/copyright
share/icons/hicolor/128x128/apps/reddoor.png
share/icons/hicolor/256x256/apps/reddoor.png
share/icons/hicolor/32x32/apps/reddoor.png
share/icons/hicolor/48x48/apps/reddoor.png
share/icons/hicolor/64x64/apps/reddoor.png
share/man/man6/reddoor.6.gz
share/metainfo/org.example.reddoor.metainfo.xml'
installed=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] ||
  fail "installed files differ; expected:
$expected
installed:
$installed"

game=$prefix/bin/reddoor
[ -x "$game" ] || fail "$game is not executable"

entry=$prefix/share/applications/reddoor.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
# The menu starts the installed binary by name and finds the installed icon by name.
grep -qx 'Exec=reddoor' "$entry" || fail "$entry does not run 'reddoor'"
grep -qx 'Icon=reddoor' "$entry" || fail "$entry does not name the icon 'reddoor'"

for size in 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/reddoor.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x$size" ] ||
    fail "$icon is not a ${size}x$size PNG"
done

# The software-centre entry is valid, and its newest release, like the changelog's, is this one.
metainfo=$prefix/share/metainfo/org.example.reddoor.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/metainfo.log" ||
  fail "appstreamcli rejects $metainfo: $(cat "$work/metainfo.log")"
grep -m1 '<release ' "$metainfo" | grep -q "version=\"$version\"" ||
  fail "the newest release in $metainfo is not $version"
zcat "$prefix/share/doc/reddoor/changelog.gz" | head -n1 | grep -q "^reddoor ($version) " ||
  fail "the newest entry of the changelog is not $version"

# The manual page names every option that --help lists, as a bold tag of its own.
page=$prefix/share/man/man6/reddoor.6.gz
options=$("$game" --help | sed -n 's/^  *\(-[^ ]*\).*/\1/p' | tr ',' ' ')
[ -n "$options" ] || fail "found no options in --help"
for option in $options; do
  tag=$(printf '\\fB%s\\fR' "$option" | sed 's/-/\\-/g')
  zcat "$page" | grep -qF "$tag" || fail "the manual page lacks $option"
done

run_from_root() {
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$game" "$@")
}

[ "$(run_from_root --version)" = "reddoor $version" ] || fail "--version does not print $version"

shot=$work/level1.png
printf 'click Play\nwait 1000\ndump\nscreenshot %s\n' "$shot" |
  run_from_root --script - >"$work/run.jsonl" 2>"$work/run.err" ||
  fail "the scripted run failed: $(cat "$work/run.err")"
grep -Eq '^\{"t":1000,"visible":"Level1",.*\}$' "$work/run.jsonl" ||
  fail "no dump of Level1 at t=1000 in: $(cat "$work/run.jsonl")"
[ "$(identify -format '%m' "$shot")" = "PNG" ] || fail "the screenshot $shot is not a PNG"

echo "installed and ran: $installed"
