#!/bin/sh
# Scaling and fullscreen in the real window, under an X server of its own with a window
# manager (without one, X has no fullscreen). On a 1920 x 1200 screen the game chooses scale 2,
# the largest at which its largest window fits; F11 fills the screen with the game centred at
# that scale and black around it, F11 again gives the window back, and Alt+Enter goes to
# fullscreen too.
# Usage: fullscreen_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: fullscreen_test.sh PATH/TO/reddoor}
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
screen_size=1920x1200
. "$here/x11_session.sh"

# Level1's client area at scale 2 is 1758 x 1126 pixels (13185 x 8445 twips).
width=1758
height=1126
left=$(((1920 - width) / 2))
top=$(((1200 - height) / 2))

size_of() { xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }

# Waits up to 5 s for the window to take this size.
expect_size() {
  for _ in $(seq 50); do
    [ "$(size_of "$1")" = "$2" ] && return
    sleep 0.1
  done
  fail "the window is $(size_of "$1"), not $2"
}

# The colour of one pixel of the screen, as ImageMagick names it.
pixel() { convert "$work/screen.png" -crop "1x1+$1+$2" -depth 8 txt:- | awk 'NR == 2 { print $3 }'; }

expect_centred_on_black() {
  import -window root "$work/screen.png" || fail "cannot take a picture of the screen"
  for corner in "0 0" "$((left - 1)) $((top - 1))" "$((left + width)) $((top + height))" "1919 1199"; do
    # shellcheck disable=SC2086 # two coordinates
    [ "$(pixel $corner)" = "#000000" ] || fail "the screen at $corner is $(pixel $corner), not black"
  done
  # The sky of Level1 in the game's top left corner.
  [ "$(pixel "$left" "$top")" != "#000000" ] || fail "the game is not drawn at $left,$top"
}

require_tools Xvfb openbox xdotool xwininfo import convert
start_x_server
openbox >"$work/openbox.log" 2>&1 &
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

"$binary" --start Level1 >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!
level1=$(wait_for_window Level1)
expect_size "$level1" "${width}x${height}"
xdotool windowfocus --sync "$level1"

xdotool key --window "$level1" F11
expect_size "$level1" 1920x1200
sleep 0.5
expect_centred_on_black

xdotool key --window "$level1" F11
expect_size "$level1" "${width}x${height}"

xdotool key --window "$level1" alt+Return
expect_size "$level1" 1920x1200

close_window "$level1"
wait_for_exit 5
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"
echo "fullscreen_test: passed"
