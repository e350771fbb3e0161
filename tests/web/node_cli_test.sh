#!/usr/bin/env bash
# The scripted run under node as a user meets it: standard input, --start, a file that cannot
# be read, a bad line, a screenshot, a usage error, a recording checked with --verify (played as
# recorded, with a key moved, no recording at all): the desktop's exit statuses and messages.
#   tests/web/node_cli_test.sh build-web/node/reddoor.js
set -euo pipefail
js=${1:?usage: node_cli_test.sh path/to/reddoor.js}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs the game with these arguments and STDIN as standard input; sets status, out, err.
run() {
  local stdin=$1
  shift
  set +e
  node --no-experimental-fetch "$js" "$@" <"$stdin" >"$work/out" 2>"$work/err"
  status=$?
  set -e
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}
expect() {  # what, condition...
  local what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what (status $status)"
    echo "  out: $out"
    echo "  err: $err"
    failures=$((failures + 1))
  fi
}

printf 'wait 100\ndump\nclose\n' >"$work/dump.script"
run "$work/dump.script" --script -
expect "a script from standard input runs" test "$status" -eq 0
expect "it starts on the title window" grep -q '"window":"Intro"' "$work/out"
expect "and dumps its controls" grep -q '"controls"' "$work/out"

run /dev/null --script "$work/dump.script" --start Level2
expect "--start chooses the level" grep -q '"event":"show","window":"Level2"' "$work/out"

run /dev/null --script "$work/missing.script"
expect "a missing script is exit 1" test "$status" -eq 1
expect "and named with the reason" test "$err" = \
  "reddoor: cannot read the script $work/missing.script: No such file or directory"

printf 'wait 100\njump\n' >"$work/bad.script"
run /dev/null --script "$work/bad.script"
expect "a bad line is exit 2" test "$status" -eq 2
expect "reported with its line number" grep -q '^script:2: ' "$work/err"

printf 'screenshot %s\n' "$work/shot.png" >"$work/shot.script"
run /dev/null --script "$work/shot.script"
expect "a screenshot is a fault, exit 1" test "$status" -eq 1
expect "that says why" test "$err" = "reddoor: screenshots are not available in this build"
expect "and writes nothing" test ! -e "$work/shot.png"

run /dev/null --script "$work/dump.script" --start Level9
expect "an unknown level is a usage error" test "$status" -eq 2
expect "that points to the help" grep -q -- '--help' "$work/err"
run /dev/null --render Intro "$work/intro.png"
expect "an option of the desktop alone is a usage error" test "$status" -eq 2

run /dev/null --script "$root/tests/golden/level2_coins.script"
expect "a golden's own args line is read" cmp -s "$work/out" "$root/tests/golden/level2_coins.jsonl"

recording="$root/tests/golden/full_playthrough.recording"
run /dev/null --verify "$recording"
expect "a recording that plays as it was played is exit 0" test "$status" -eq 0
expect "and tells how the game ended" cmp -s "$work/out" "$root/tests/golden/full_playthrough.verified"
# The first Right goes down a tick later: the replay parts from the recording there.
awk '/^down Right$/ && !moved { print "wait 100"; moved = 1 } { print }' "$recording" \
  >"$work/moved.recording"
run /dev/null --verify "$work/moved.recording"
expect "a key moved by a tick is exit 1" test "$status" -eq 1
expect "naming the line and the field" grep -q "^reddoor: $work/moved.recording:[0-9]*: the replay differs in \"" "$work/err"
run /dev/null --verify "$work/dump.script"
expect "a script that is no recording is exit 2" test "$status" -eq 2
expect "that says so" grep -q "is no recording of a game: it does not say which game played it" "$work/err"
run /dev/null --verify "$work/missing.recording"
expect "a missing recording is exit 2" test "$status" -eq 2
expect "and named with the reason" test "$err" = \
  "reddoor: cannot read the recording $work/missing.recording: No such file or directory"
run /dev/null --verify "$recording" --script "$work/dump.script"
expect "--verify with --script is a usage error" test "$status" -eq 2
run /dev/null --start Level2
expect "neither --script nor --verify is a usage error" test "$status" -eq 2
expect "that names both" grep -q -- '--script or --verify' "$work/err"

run /dev/null --help
expect "--help is exit 0" test "$status" -eq 0
expect "and names --script" grep -q -- '--script' "$work/out"
expect "and --verify" grep -q -- '--verify FILE' "$work/out"

[[ $failures -eq 0 ]] && echo "node command line: all checks passed"
exit "$failures"
