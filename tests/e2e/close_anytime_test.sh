#!/bin/sh
# Closing the game's window at any moment ends the program cleanly: exit status 0, nothing on
# standard error (so no leak or other report of a sanitizer build), and no hang. The timing log
# and the recording show that the moment was reached: the state that the recording notes at the
# end is that of the moment.
# Usage: close_anytime_test.sh PATH/TO/reddoor STATE, where STATE is the moment of closing:
#   title          the title window, drawn
#   level          Level1, its game timer ticking
#   message_box    Level1 with the death message open
#   bird_approach  Level3 after a game tick has taken the E that calls the bird, before the bird
#                  picks the player up
#   flight         Level3 while the bird carries the player off (its flight timer ticks)
#   finish         the closing window, its text changing colour
# Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: close_anytime_test.sh PATH/TO/reddoor STATE}
state=${2:?usage: close_anytime_test.sh PATH/TO/reddoor STATE}
. "$(cd "$(dirname "$0")" && pwd)/x11_session.sh"

require_tools Xvfb xdotool xwininfo python3
start_x_server

log=$work/timing.log
# Starts the game on the LEVEL, else on the title window, and gives that the keyboard.
play() {
  "$binary" ${1:+--start "$1"} --timing-log "$log" --record "$work/game.script" >/dev/null \
    2>"$work/game.err" &
  game=$!
  window=$(wait_for_window "${1:-Intro}")
  xdotool windowfocus --sync "$window"
}
logged() { wait_for "$1" "$2" has_lines 1 "$3" "$log"; }

# Calls the bird with E; waits for a game tick to take the key.
call_bird() {
  play Level3
  xdotool key --window "$window" e
  wait_for "E in the recording" 30 has_lines 1 '^down E' "$work/game.script"
  ticks=$(count '^tick Level3 tmrGame' "$log")
  wait_for "a game tick after E" 30 has_lines $((ticks + 1)) '^tick Level3 tmrGame' "$log"
}

# Each moment, reached; `noted`: what the recording notes of it.
case "$state" in
  title)
    play
    logged "the title window drawn" 30 '^frame Intro'
    noted='"visible":"Intro"'
    ;;
  level)
    play Level1
    wait_for "the game timer" 30 has_lines 5 '^tick Level1 tmrGame' "$log"
    noted='"visible":"Level1"'
    ;;
  message_box)
    # Walking right, the player soon drowns or meets a monster.
    play Level1
    die_holding "$window" Right >/dev/null
    noted='"event":"message"'
    ;;
  bird_approach)
    call_bird
    noted='"visible":"Level3".*"BirdCalled":true,"BirdCarrying":false'
    ;;
  flight)
    # The bird picks the player up about 10 s after the call; the flight takes about 14 s.
    call_bird
    logged "the bird to carry the player off" 60 '^tick Level3 tmrFly'
    noted='"visible":"Level3".*"BirdCarrying":true'
    ;;
  finish)
    call_bird
    window=$(wait_for_window "Game Completed" 90)
    logged "the text of the closing window to change colour" 30 '^tick Finish Timer1'
    noted='"visible":"Finish"'
    ;;
  *)
    echo "close_anytime_test: unknown state $state" >&2
    exit 2
    ;;
esac

close_window "$window"
wait_for_exit 30
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"
grep -q "^# {.*$noted" "$work/game.script" || fail "the recording does not note $noted"
echo "close_anytime_test: $state: passed"
