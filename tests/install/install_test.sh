#!/bin/sh
# Installs the game from its build tree into an empty prefix and checks what a desktop gets:
# the binary, its menu entry and its icon, and nothing else. Then the installed binary plays a
# few steps and takes a screenshot from another directory, with no display, which works only
# because its pictures are inside it.
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
share/icons/hicolor/48x48/apps/reddoor.png'
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

icon=$prefix/share/icons/hicolor/48x48/apps/reddoor.png
[ "$(identify -format '%m %wx%h' "$icon")" = "PNG 48x48" ] || fail "$icon is not a 48x48 PNG"

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
