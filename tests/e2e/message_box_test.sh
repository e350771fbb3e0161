#!/bin/sh
# The death message in the real window, with or without a window manager: the game's own modal
# box, titled "Red Door", over the middle of the level, drawn at the game's scale with the
# critical-stop icon, and with the keyboard. Return, Space, Escape and a click on OK answer it.
# No tick runs while it is open (the timing log says when it opened and closed), and a key let
# go while it is open leaves the player where the restart put him. A SIGTERM while it is open
# ends the game at once and cleanly; the recording then replays to the same lines.
# Usage: message_box_test.sh PATH/TO/reddoor [openbox]. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: message_box_test.sh PATH/TO/reddoor [openbox]}
mode=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
screen_size=1920x1200
. "$here/x11_session.sh"

require_tools Xvfb xdotool xwininfo xprop import convert python3 ${mode:+openbox}
start_x_server
[ -z "$mode" ] || start_window_manager

"$binary" --scale 2 --start Level3 --record "$work/game.script" --timing-log "$work/timing.log" \
  >/dev/null 2>"$work/game.err" &
game=$!
level=$(wait_for_window Level3)
take_focus "$level"

geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
# The icon: a red disc 32 pixels wide at scale 1, 12 from the corner, a white cross inside it.
icon_drawn() {
  grab_screen
  set -- "$(pixel $(($1 + 32)) $(($2 + 56)))" "$(pixel $(($1 + 56)) $(($2 + 56)))"
  [ "$*" = "#FF0000 #FFFFFF" ] || { echo "$*" && return 1; }
}

# Walks left into the water, which takes about three seconds from the start; lets go of the key
# while the box is open, which has the keyboard.
box=$(die_holding "$level" Left)
# shellcheck disable=SC2046 # four numbers each
set -- $(geometry "$level") $(geometry "$box")
{ [ $(($1 + $3 / 2 - $5 - $7 / 2)) -le 1 ] && [ $(($2 + $4 / 2 - $6 - $8 / 2)) -le 1 ]; } ||
  fail "the box at $5,$6 ${7}x$8 is not over the middle of the level at $1,$2 ${3}x$4"
[ "$7x$8" = 360x182 ] || fail "the box is ${7}x$8, not 360x182 as at scale 2"
xprop -id "$box" WM_TRANSIENT_FOR | grep -q "$(printf %x "$level")" || fail "the box is not modal"
wait_for "a red disc with a white cross on the box" 30 icon_drawn "$5" "$6"

# Each answer closes the box, and the player drowns again.
answered=0
for answer in Return space Escape click; do
  case $answer in
    click) xdotool mousemove --window "$box" 180 131 click 1 ;;
    *) xdotool key "$answer" ;;
  esac
  answered=$((answered + 1))
  wait_for "$answer to answer the box" 30 has_lines $answered '^message closed' "$work/timing.log"
  box=$(die_holding "$level" Left)
done

# Ended while the box is open: at once, cleanly, with the recording complete.
kill -TERM "$game"
wait_for_exit 5
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"

# No tick ran while a box was open.
awk '$1 == "message" && $2 == "opened" { open = $4 }
     $1 == "tick" && open != "" { fail = 1 }
     $1 == "message" && $2 == "closed" { if ($4 != open) fail = 1; open = "" }
     END { exit fail }' "$work/timing.log" || fail "the game clock ran while a message was open"
[ "$(grep -c '^message opened' "$work/timing.log")" -eq 5 ] || fail "not five messages logged"

# After each restart the player stood still where it put him, the key let go in the box.
grep -c '^down Left' "$work/game.script" | grep -qx 5 || fail "a key went down that nobody pressed"
tail -n 2 "$work/game.script" | tr '\n' ' ' | grep -qx 'dump close ' || fail "the recording is cut"
expect_replay "$work/game.script" "$binary"
echo "message_box_test: passed${mode:+ under $mode}"
