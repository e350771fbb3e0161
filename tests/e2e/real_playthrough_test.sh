#!/bin/sh
# The full playthrough's route played in the real windows under an X server of our own, tick for
# tick with the headless run: from "Play" through Level1 (15 coins, the door) and on into
# Level2. The keys go in between the same two game ticks as in the headless run (see
# drive_route.py), so the monsters, the moving blocks and the player stand where they stand
# headless: pictures of the real windows on Level1 and on Level2 must equal the headless ones
# pixel for pixel. No message box may come up; closing the window ends the game with status 0.
# Usage: real_playthrough_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: real_playthrough_test.sh PATH/TO/reddoor}
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

route=$here/../golden/full_playthrough.script
# Route times: the 15th coin has shown the door; Level2's first tick; Level2 after the ride on
# the swinging Block(4) to Coin(10). The drive ends with the last of them.
level1_full=14000
level2_start=15700
level2_ride=19000
pictures="$level1_full $level2_start $level2_ride"
# The centre of the "Play" button of Intro, in pixels (the button is 2160,5520,1575,375).
play_x=$(((2 * 2160 + 1575) / 30))
play_y=$(((2 * 5520 + 375) / 30))

require_tools Xvfb xdotool xwininfo convert python3

# The headless pictures first: they also tell when each level shows.
for t in $pictures; do
  python3 "$here/drive_route.py" script "$route" "$t" "$work/headless-$t.png" |
    env -u DISPLAY "$binary" --script - >"$work/headless-$t.out" 2>"$work/game.err" ||
    fail "the headless run up to t = $t failed"
done

start_x_server
"$binary" --timing-log "$work/timing.log" >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!

intro=$(wait_for_window Intro)
xdotool mousemove --window "$intro" "$play_x" "$play_y" click 1
level1=$(wait_for_window Level1)
xdotool windowfocus --sync "$level1"

shots=
for t in $pictures; do shots="$shots --picture $t:$work/real-$t.ppm"; done
# shellcheck disable=SC2086 # one word per option
if ! python3 "$here/drive_route.py" drive "$route" "$level2_ride" "$work/timing.log" \
  "$work/headless-$level2_ride.out" $shots; then
  [ -z "$(shown_window "Red Door")" ] || fail "a message box came up: the player died"
  fail "the real game did not follow the route"
fi
[ -z "$(shown_window "Red Door")" ] || fail "a message box came up: the player died"
level2=$(shown_window Level2)
[ -n "$level2" ] || fail "the window Level2 is not shown"

close_window "$level2"
wait_for_exit 5
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"

for t in $pictures; do
  python3 "$here/drive_route.py" compare "$work/real-$t.ppm" "$work/headless-$t.png" ||
    fail "at t = $t the real window does not show what the headless run draws"
done
echo "real_playthrough_test: passed"
