#!/bin/sh
# The game's windows on a desktop with a window manager (openbox), on a 1920 x 1200 screen:
# - the game asks for no minimize and no maximize button; a window minimized all the same stays
#   so, paused, until the player brings it back;
# - a scale that does not fit is lowered to the largest that does (2 here), with a line saying so;
# - Space, on release, presses the title window's button, which has the focus;
# - F11 fills the screen with the game centred at that scale, black around it; P pauses, and the
#   game is drawn dimmed with "Paused" over it; Escape gives the window back; Alt+Enter goes to
#   fullscreen too;
# - F11 on the title window, which openbox does not let go fullscreen, changes nothing;
# - the scale used and fullscreen chosen are kept for the next game, which starts so; a damaged
#   settings file is one warning, and the game starts as if there were none.
# Usage: fullscreen_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: fullscreen_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
screen_size=1920x1200
. "$here/x11_session.sh"

# Level1's client area at scale 2 is 1758 x 1126 pixels (13185 x 8445 twips).
width=1758
height=1126
left=$(((1920 - width) / 2))
top=$(((1200 - height) / 2))
settings="$XDG_CONFIG_HOME/reddoor/settings.json"

# True when the window has this size; else prints the size it has.
sized() {
  size=$(window_size "$1")
  [ "$size" = "$2" ] || { echo "$size" && return 1; }
}
expect_size() { wait_for "the window at $2" 30 sized "$1" "$2"; }

# True when the screen shows the game centred on black, with the sky of Level1 in the game's top
# left corner, as it is or dimmed (the colour COLOUR); else prints where it differs.
centred_on_black() {
  grab_screen
  for corner in "0 0" "$((left - 1)) $((top - 1))" "$((left + width)) $((top + height))" \
    "1919 1199"; do
    # shellcheck disable=SC2086 # two coordinates
    [ "$(pixel $corner)" = "#000000" ] || { echo "$(pixel $corner) at $corner" && return 1; }
  done
  corner=$(pixel "$left" "$top")
  [ "$corner" = "$1" ] || { echo "$corner in the game's corner" && return 1; }
}
expect_centred_on_black() { wait_for "the game centred on black" 30 centred_on_black "$1"; }
# True when a window, shown or not, has this caption; when openbox offers Level1 this action.
titled() { xwininfo -root -tree | grep -q " \"$1\": "; }
offers() { xprop -id "$level1" _NET_WM_ALLOWED_ACTIONS | grep -q "$1"; }

play() {
  "$binary" --timing-log "$work/timing.log" "$@" >/dev/null 2>"$work/game.err" &
  game=$!
  level1=$(wait_for_window Level1)
  take_focus "$level1"
}

require_tools Xvfb openbox xdotool xwininfo xprop import convert
start_x_server
start_window_manager

# The title window's one button has the focus: Space, on release, presses it, and reaches the
# game too, like any key pressed before a level.
"$binary" --scale 3 --timing-log "$work/timing.log" --record "$work/game.script" >/dev/null \
  2>"$work/game.err" &
game=$!
intro=$(wait_for_window Intro)
take_focus "$intro"
xdotool key space
level1=$(wait_for_window Level1)
take_focus "$level1"
grep -v '^wait' "$work/game.script" | grep -A2 '^down Space' | tr '\n' ' ' |
  grep -q '^down Space up Space click Play ' || fail "Space and the click are not recorded"
grep -q 'scale 3.*scale 2' "$work/game.err" || fail "no line says that scale 3 does not fit"
expect_size "$level1" "${width}x${height}"
# The game asks for no minimize and no maximize button (Motif hints: functions move and close,
# 0x24); openbox takes the maximize away from a window of a fixed size, but keeps minimize.
xprop -id "$level1" _MOTIF_WM_HINTS | grep -q '= 0x3, 0x24, ' || fail "the window asks for buttons"
wait_for "openbox to offer to close the window" 30 offers CLOSE
! offers MAXIMIZE || fail "the window is offered to maximize"

# Minimized for a second (its length is the point: the pause must last as long).
resumes=$(($(count '^resume' "$work/timing.log") + 1))
xdotool windowminimize --sync "$level1"
wait_for "a minimized game to pause" 30 titled "Level1 (paused)"
sleep 1
xprop -id "$level1" WM_STATE | grep -q Iconic || fail "the minimized window came back by itself"
xdotool windowactivate --sync "$level1" 2>/dev/null
wait_for "the game to go on" 30 has_lines "$resumes" '^resume' "$work/timing.log"
awk '$1 == "pause" { p = $5 } $1 == "resume" { d = $5 - p } END { exit d < 900 }' \
  "$work/timing.log" || fail "the game did not stay paused while minimized"

xdotool key F11
expect_size "$level1" 1920x1200
expect_centred_on_black "#80FFFF"
xdotool key p
expect_centred_on_black "#407F7F"
xdotool key p
xdotool key Escape
expect_size "$level1" "${width}x${height}"
xdotool key alt+Return
expect_size "$level1" 1920x1200
close_window "$level1"
wait_for_exit 30
grep -q '"fullscreen":true' "$settings" || fail "fullscreen was not kept: $(cat "$settings")"
# The scale kept is the one drawn at, not the one asked for that did not fit.
grep -q '"scale":2' "$settings" || fail "the scale kept is not the one used: $(cat "$settings")"

play --start Level1
expect_size "$level1" 1920x1200
close_window "$level1"
wait_for_exit 30

echo '{"scale": "big"' >"$settings"
play --start Level1
expect_size "$level1" "${width}x${height}"
{ [ "$(grep -c . "$work/game.err")" -eq 1 ] && grep -q 'settings.*damaged' "$work/game.err"; } ||
  fail "a damaged settings file gave: $(cat "$work/game.err")"
close_window "$level1"
wait_for_exit 30

# openbox lets only normal windows go fullscreen, not the title window: F11 there leaves it as it
# is, drawn for its own size (the sky in its top left corner), says so once, and keeps nothing.
rm -f "$settings"
"$binary" --timing-log "$work/timing.log" >/dev/null 2>"$work/game.err" &
game=$!
intro=$(wait_for_window Intro)
take_focus "$intro"
xdotool key F11 F11
intro_corner() {
  grab_screen
  at=$(xwininfo -id "$intro" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x + 2, y + 2 }')
  # shellcheck disable=SC2086 # two coordinates
  [ "$(pixel $at)" = "#80FFFF" ] || { echo "$(pixel $at) at $at" && return 1; }
}
wait_for "the title window drawn from its corner" 30 intro_corner
[ "$(count 'go fullscreen' "$work/game.err")" -eq 1 ] ||
  fail "no one line says the title window cannot go fullscreen: $(cat "$work/game.err")"
close_window "$intro"
wait_for_exit 30
! grep -q '"fullscreen":true' "$settings" 2>/dev/null || fail "fullscreen kept though refused"
echo "fullscreen_test: passed"
