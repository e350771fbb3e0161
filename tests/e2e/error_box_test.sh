#!/bin/sh
# A fault at start-up shows its error box, and SIGTERM still ends the game at once, the box
# with it: no process of the game is left.
# Usage: error_box_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: error_box_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

require_tools Xvfb xwininfo
start_x_server

"$binary" --timing-log "$work/no/such/folder/timing.log" >/dev/null 2>"$work/game.err" &
game=$!
wait_for_window "Red Door" >/dev/null
grep -q "timing log .*no/such/folder" "$work/game.err" || fail "the fault is not told on the terminal"
kill -TERM "$game"
wait_for "the game to end" 5 game_ended
status=0
wait "$game" || status=$?
game=
[ "$status" -eq 1 ] || fail "the game ended with exit status $status, not 1"
wait_for "the box to close" 5 sh -c '! xwininfo -root -tree | grep -q "\"Red Door\""'
echo "error_box_test: passed"
