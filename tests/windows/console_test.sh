#!/usr/bin/env bash
# reddoor.exe on the command line under Wine, as a player meets it in cmd.exe: the help names
# the settings under %APPDATA%, a usage error is one "reddoor:" line and status 2, and file
# names outside ASCII ("Jürgen") reach the file system as they are written: a script is read,
# a PNG written, and a file that is not there named back unchanged. Bad input ends the game as
# on Linux, with one "reddoor:" line and status 1: no display, no fonts beside the exe, a
# recording that cannot be written.
# Usage: console_test.sh WINE.SH WINEPREFIX PATH/TO/reddoor.exe GOLDEN.script GOLDEN.jsonl
set -euo pipefail
wine=$1 prefix=$2 exe=$3 script=$4 expected=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/reddoor-console.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "console_test: FAILED: $*" >&2; [[ ! -s "$work/err" ]] || cat "$work/err" >&2; exit 1; }
# run ARGS...: the game's status; its output in $work/out and $work/err. run_exe EXE ARGS...:
# the same with another copy of the game.
run() { run_exe "$exe" "$@"; }
run_exe() {
  local program=$1
  shift
  status=0
  "$wine" "$prefix" "$program" "$@" >"$work/out" 2>"$work/err" || status=$?
}
# expect_error LINE: the game ended with status 1 and this line alone on standard error.
expect_error() {
  [[ $status -eq 1 && $(cat "$work/err") == "$1" ]] || fail "not \"$1\" (status $status)"
}

run --help
[[ $status -eq 0 ]] || fail "--help: exit status $status"
grep -qF '%APPDATA%\reddoor\settings.json' "$work/out" || fail "--help does not name %APPDATA%"

run --scale 9
[[ $status -eq 2 && $(head -n1 "$work/err") == "reddoor: --scale: Value 9 not in range 1 to 8" ]] ||
  fail "--scale 9: status $status"

folder="$work/Jürgen"
mkdir "$folder"
cp "$script" "$folder/Spiel.script"
run --script "$folder/Spiel.script"
[[ $status -eq 0 ]] || fail "a script under Jürgen: exit status $status"
cmp -s "$work/out" "$expected" || fail "a script under Jürgen printed other bytes than $expected"

run --render Intro "$folder/Titel.png"
[[ $status -eq 0 && -s "$folder/Titel.png" ]] || fail "--render into Jürgen: status $status"
[[ $(identify -format '%wx%h' "$folder/Titel.png") == 459x401 ]] ||
  fail "the title window drawn at $(identify -format '%wx%h' "$folder/Titel.png")"

run --script "$folder/Müll.script"
[[ $status -eq 1 ]] || fail "a missing script: exit status $status"
grep -qF "reddoor: cannot read the script $folder/Müll.script" "$work/err" ||
  fail "the missing script is not named as written"

# Without a display (Wine without an X server) the game cannot open its windows.
status=0
env -u DISPLAY "$wine" "$prefix" "$exe" >"$work/out" 2>"$work/err" || status=$?
expect_error "reddoor: no display available (no window can be opened here); use --script FILE to \
run headless"

# The fonts come beside the exe; a copy without them names the font and the path it looked in.
mkdir "$folder/ohne Schriften"
cp "$exe" "$folder/ohne Schriften/"
run_exe "$folder/ohne Schriften/$(basename "$exe")" --render Intro "$folder/Titel.png"
# Wine's drive Z: is the root of the file system.
fonts="Z:${folder//\//\\}\\ohne Schriften\\fonts"
expect_error "reddoor: the font \"Liberation Sans\" is missing: $fonts\\LiberationSans-Regular.ttf came \
with the game; unpack its zip again"

run --record "$folder/Spiel.script/game.script"
expect_error "reddoor: cannot write the recording $folder/Spiel.script/game.script: No such file or \
directory"
echo "console_test: passed"
