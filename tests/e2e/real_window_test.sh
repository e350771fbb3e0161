#!/bin/sh
# The game in a real window under its own X server: click "Play", hold the right arrow on
# Level1, take a picture of the window, close it (exit status 0), and compare the picture with
# what the headless run of the same keys draws.
# Usage: real_window_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: real_window_test.sh PATH/TO/reddoor}
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

# Level1 in twips. The player lands on the ledge where he starts and walks right along it,
# out of the monsters' reach; this area holds every place he can reach and the coins on the
# way.
player_path=0,3600,1800,855
# The monsters walk their patrols from the moment the level loads, which the two runs do not
# share, and the counter shows the coins taken.
monster0_patrol=1080,4680,3615,495
monster1_patrol=4680,5880,2775,375
coin_counter=1920,7920,1815,375
step=125
# The centre of the "Play" button of Intro, in pixels (the button is 2160,5520,1575,375).
play_x=$(((2 * 2160 + 1575) / 30))
play_y=$(((2 * 5520 + 375) / 30))

require_tools Xvfb xdotool xwininfo import convert python3
start_x_server

"$binary" >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!

intro=$(wait_for_window Intro)
xdotool mousemove --window "$intro" "$play_x" "$play_y" click 1
level1=$(wait_for_window Level1)
[ -z "$(shown_window Intro)" ] || fail "Intro is still shown after the click on Play"

xdotool windowfocus --sync "$level1"
# One xdotool for the whole hold, so that starting a second one does not lengthen it.
xdotool keydown --window "$level1" Right sleep 0.55 keyup --window "$level1" Right
sleep 1
[ -z "$(shown_window "Red Door")" ] || fail "a message box came up: the player died"
import -window "$level1" "$work/real.png" || fail "cannot take a picture of the window Level1"

close_window "$level1"
wait_for_exit 5
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"

# The same keys headless, on the game's virtual clock.
env -u DISPLAY "$binary" --script - >"$work/headless.out" 2>"$work/game.err" <<SCRIPT ||
click Play
down Right
wait 550
up Right
wait 1000
screenshot $work/headless.png
dump
SCRIPT
  fail "the headless run failed"

python3 "$here/compare_shots.py" "$work/real.png" "$work/headless.png" "$work/headless.out" \
  --step "$step" --search "$player_path" \
  --ignore "$monster0_patrol" --ignore "$monster1_patrol" --ignore "$coin_counter" ||
  fail "the real window does not show what the headless run draws"
echo "real_window_test: passed"
