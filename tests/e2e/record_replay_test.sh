#!/bin/sh
# A game played in the real window under its own X server and recorded with --record: a death
# and its message box, a pause with P, a pause while the window has lost the focus. The
# recording, replayed headless with --script, must print exactly the lines that the recording
# noted as the real game showed them, the final state included. No timer may tick while the
# game is paused, and a stall is left out of game time.
# Usage: record_replay_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: record_replay_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

log=$work/timing.log
ticks() { count "^tick .*${1:-}" "$log"; }

# Pauses are seen in the caption; no timer ticks while it says so, and the timing log gives the
# real time that the pause took.
expect_paused_for_a_second() {
  wait_for_window "Level1 (paused)" >/dev/null
  before=$(ticks)
  # The length of the pause is the point: a second without a tick.
  sleep 1
  [ "$(ticks)" -eq "$before" ] || fail "timers ticked while the game was paused"
}

require_tools Xvfb xdotool xwininfo python3
start_x_server

"$binary" --scale 1 --record "$work/game.script" --timing-log "$log" \
  >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!

level1=$(play_level1)

# Off the ledge to the right, onto the first monster or into the water; the box has the
# keyboard.
die_holding "$level1" Right >/dev/null
xdotool key Return

xdotool windowfocus --sync "$level1"
xdotool key --window "$level1" p
expect_paused_for_a_second
xdotool key --window "$level1" p
wait_for_window Level1 >/dev/null

xdotool windowfocus --sync "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
expect_paused_for_a_second
xdotool windowfocus --sync "$level1"
wait_for_window Level1 >/dev/null

# A game that was stopped for a second goes on where it stopped, without rushing through the
# ticks it missed: no five game ticks within 100 ms. The stop's length is the point.
kill -STOP "$game"
sleep 1
kill -CONT "$game"
wait_for "game ticks after the stop" 30 has_lines $(($(ticks tmrGame) + 8)) tmrGame "$log"
awk '$1 == "tick" && $3 == "tmrGame" { at[n++] = $7 }
     END { for (i = 4; i < n; i++) if (at[i] - at[i - 4] < 100) exit 1 }' "$log" ||
  fail "the game rushed through the ticks it missed while it was stopped"

# A step to the left (the length of the hold is the point) and a jump; the window is closed
# once the game has taken the jump.
xdotool keydown --window "$level1" Left sleep 0.3 keyup --window "$level1" Left
xdotool key --window "$level1" space
wait_for "the jump in the recording" 30 has_lines 1 '^up Space' "$work/game.script"
close_window "$level1"
wait_for_exit 30
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"

grep -q '^# {.*"event":"message"' "$work/game.script" || fail "the recording noted no death"
# Each pause stands in the timing log with the real time it began and ended.
awk '$1 == "pause" { wall = $5 } $1 == "resume" { if ($5 - wall < 900) exit 1; n++ }
     END { exit n != 2 }' "$log" || fail "the timing log does not explain the pauses"
expect_replay "$work/game.script" "$binary"
echo "record_replay_test: passed ($(grep -c . "$work/game.script") lines recorded)"
