#!/bin/sh
# Closing the game's window at any moment ends the program cleanly: exit status 0, nothing on
# standard error (so no leak or other report of a sanitizer build), and no hang.
# Usage: close_anytime_test.sh PATH/TO/reddoor STATE, where STATE is the moment of closing:
#   title          the title window
#   level          Level1, playing
#   message_box    Level1 with the death message open
#   bird_approach  Level3 just after E called the bird
#   flight         Level3 while the bird carries the player off
#   finish         the closing window
# Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: close_anytime_test.sh PATH/TO/reddoor STATE}
state=${2:?usage: close_anytime_test.sh PATH/TO/reddoor STATE}
work=$(mktemp -d)
. "$(cd "$(dirname "$0")" && pwd)/x11_session.sh"

require_tools Xvfb xdotool xwininfo python3
start_x_server

play() {
  "$binary" "$@" >/dev/null 2>"$work/game.err" &
  game=$!
}

# Shows the window, gives it the keyboard and calls the bird with E.
call_bird() {
  play --start Level3
  window=$(wait_for_window Level3)
  xdotool windowfocus --sync "$window"
  xdotool key --window "$window" e
}

case "$state" in
  title)
    play
    window=$(wait_for_window Intro)
    ;;
  level)
    play --start Level1
    window=$(wait_for_window Level1)
    sleep 1
    ;;
  message_box)
    # Walking right, the player soon drowns or meets a monster.
    play --start Level1
    window=$(wait_for_window Level1)
    xdotool windowfocus --sync "$window"
    xdotool keydown --window "$window" Right
    wait_for_window "Red Door" 15 >/dev/null
    xdotool keyup --window "$window" Right
    ;;
  bird_approach)
    call_bird
    ;;
  flight)
    # The bird picks the player up about 10 s after the call; the flight takes about 14 s.
    call_bird
    sleep 13
    [ -z "$(shown_window "Game Completed")" ] || fail "the flight ended before 13 s"
    ;;
  finish)
    call_bird
    window=$(wait_for_window "Game Completed" 40)
    sleep 0.5
    ;;
  *)
    echo "close_anytime_test: unknown state $state" >&2
    exit 2
    ;;
esac

close_window "$window"
wait_for_exit 10
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"
echo "close_anytime_test: $state: passed"
