#!/bin/sh
# A slowed game in the real window under its own X server: at --speed 50 the caption says so,
# the game timer ticks every 100 ms of game time and every 200 ms of real time, and the
# recording, made in game time, replays headless as it was played.
# Usage: speed_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: speed_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

log=$work/timing.log
recording=$work/game.script
game_ticks() { count '^tick Level1 tmrGame' "$log"; }

require_tools Xvfb xdotool xwininfo python3
start_x_server

"$binary" --scale 1 --speed 50 --start Level1 --record "$recording" --timing-log "$log" \
  >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!
level1=$(wait_for_window "Level1 (50% speed)")
xdotool windowfocus --sync "$level1"

# Right held for three game ticks, 0.6 s at half speed (the length of the hold is the point):
# he walks along the ledge, whose edge he reaches after ten.
xdotool keydown Right sleep 0.6 keyup Right
wait_for "the walk in the recording" 30 has_lines 1 '^up Right' "$recording"
wait_for "twenty game ticks" 30 has_lines 20 '^tick Level1 tmrGame' "$log"
close_window "$level1"
wait_for_exit 30
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"
! grep -Eq '^(pause|message)' "$log" || fail "the game was held: $(grep -E '^(pause|message)' "$log")"

# From one game tick to the next: 100 ms of game time, and a median of 200 ms of real time,
# 150 to 300 on a busy machine (a tick that is late makes the gap before it longer and the
# one after it shorter).
awk '$1 == "tick" && $3 == "tmrGame" {
       if (n++ && $5 - due != 100) { print "due " due ", then due " $5; exit 1 }
       if (n > 1) print $9 - wall
       due = $5
       wall = $9
     }' "$log" >"$work/gaps" || fail "the game ticks are not 100 ms of game time apart: $(cat "$work/gaps")"
median=$(sort -n "$work/gaps" | awk '{ gap[NR] = $1 } END { print int(gap[int((NR + 1) / 2)]) }')
if [ "$median" -lt 150 ] || [ "$median" -gt 300 ]; then
  fail "the game ticks are a median $median ms of real time apart, not 200"
fi

expect_replay "$recording" "$binary"
"$binary" --verify "$recording" >"$work/verify.out" 2>&1 ||
  fail "--verify does not accept the recording: $(cat "$work/verify.out")"
echo "speed_test: passed ($(grep -c . "$work/gaps") gaps between game ticks, median $median ms)"
