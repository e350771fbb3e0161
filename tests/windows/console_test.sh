#!/usr/bin/env bash
# reddoor.exe on the command line under Wine, as a player meets it in cmd.exe: the help names
# the settings under %APPDATA%, a usage error is one "reddoor:" line and status 2, and file
# names outside ASCII ("Jürgen") reach the file system as they are written: a script is read,
# a PNG written, and a file that is not there named back unchanged.
# Usage: console_test.sh WINE.SH WINEPREFIX PATH/TO/reddoor.exe GOLDEN.script GOLDEN.jsonl
set -euo pipefail
wine=$1 prefix=$2 exe=$3 script=$4 expected=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/reddoor-console.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "console_test: FAILED: $*" >&2; [[ ! -s "$work/err" ]] || cat "$work/err" >&2; exit 1; }
# run ARGS...: the game's status; its output in $work/out and $work/err.
run() { status=0; "$wine" "$prefix" "$exe" "$@" >"$work/out" 2>"$work/err" || status=$?; }

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
echo "console_test: passed"
