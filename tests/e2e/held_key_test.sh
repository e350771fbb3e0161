#!/bin/sh
# A key held while the game's window loses the focus (another window activated, or the game
# minimized) and still held when the game has it back must be pressed again: the recording of
# the game has no press of it but the ones the player made. Without a window manager the focus
# goes to the root window and back; with one (the second argument "openbox") to another
# program's window, and the game is minimized and restored too.
# Usage: held_key_test.sh PATH/TO/reddoor [openbox]. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: held_key_test.sh PATH/TO/reddoor [openbox]}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

log=$work/timing.log
recording=$work/game.script
game_ticks() { count '^tick Level1 tmrGame' "$log"; }

# Holds Right through a time away from the game that `leave` and `come_back` make.
hold_right_while_away() {
  presses=$(count '^down Right' "$recording")
  xdotool keydown Right
  wait_for "the press in the recording" 30 has_lines $((presses + 1)) '^down Right' "$recording"
  pauses=$(count '^pause at' "$log")
  $1
  wait_for "the game to pause" 30 has_lines $((pauses + 1)) '^pause at' "$log"
  # Held longer than the server's auto-repeat delay: the repeats are what must not count.
  sleep 1
  $2
  wait_for "the game to resume" 30 has_lines $((pauses + 1)) '^resume at' "$log"
  before=$(game_ticks)
  wait_for "five game ticks after the return" 30 has_lines $((before + 5)) '^tick Level1 tmrGame' "$log"
  xdotool keyup Right
  [ "$(count '^down Right' "$recording")" -eq $((presses + 1)) ] ||
    fail "the key held while away counted as a new press: $(grep -v '^#' "$recording" | tr '\n' ' ')"
}

to_root() { xdotool windowfocus --sync "$(xwininfo -root | awk '/Window id:/ { print $4 }')"; }
to_other() { take_focus "$other"; }
minimize() { xdotool windowminimize --sync "$level1"; }
to_game() { take_focus "$level1"; }

require_tools Xvfb xdotool xwininfo xmessage
start_x_server
[ "${2:-}" = openbox ] && start_window_manager

"$binary" --scale 1 --start Level1 --record "$recording" --timing-log "$log" \
  >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!
level1=$(wait_for_window Level1)
take_focus "$level1"

if [ -n "$manager" ]; then
  xmessage -name other "another program" &
  other=$(wait_for_window other)
  take_focus "$level1"
  hold_right_while_away to_other to_game
  hold_right_while_away minimize to_game
else
  hold_right_while_away to_root to_game
fi

close_window "$level1"
wait_for_exit 30
expect_replay "$work/game.script" "$binary"
