#!/bin/sh
# The game in a real window under its own X server: click "Play", hold the right arrow on
# Level1, take a picture of the window, close it (exit status 0), and compare the picture with
# what the headless run of the same keys draws.
# Usage: real_window_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: real_window_test.sh PATH/TO/reddoor}
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

"$binary" --timing-log "$work/timing.log" >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!

intro=$(wait_for_window Intro)
xdotool mousemove --window "$intro" "$play_x" "$play_y" click 1
level1=$(wait_for_window Level1)
[ -z "$(shown_window Intro)" ] || fail "Intro is still shown after the click on Play"

xdotool windowfocus --sync "$level1"
# The hold is timed, as the headless run's: one xdotool for all of it, so that starting a
# second one does not lengthen it.
xdotool keydown --window "$level1" Right sleep 0.55 keyup --window "$level1" Right
# Then a second of game time, ten ticks of the game timer, as the headless run waits; a death
# would stop the clock.
ticks=$(($(count '^tick Level1 tmrGame' "$work/timing.log") + 10))
settled() { grep -q '^message opened' "$1" || has_lines "$ticks" '^tick Level1 tmrGame' "$1"; }
wait_for "a second of game time" 30 settled "$work/timing.log"
! grep -q '^message opened' "$work/timing.log" || fail "a message box came up: the player died"
import -window "$level1" "$work/real.png" || fail "cannot take a picture of the window Level1"

close_window "$level1"
wait_for_exit 30
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

# Outside the areas that depend on timing the two pictures are equal, pixel for pixel.
for shot in real headless; do
  convert "$work/$shot.png" -fill black -draw "rectangle $(corners "$player_path")" \
    -draw "rectangle $(corners "$monster0_patrol")" \
    -draw "rectangle $(corners "$monster1_patrol")" \
    -draw "rectangle $(corners "$coin_counter")" "$work/$shot-rest.png"
done
differing=$(compare -metric AE "$work/real-rest.png" "$work/headless-rest.png" null: 2>&1 || true)
[ "$differing" = 0 ] || fail "$differing pixels differ outside the areas that depend on timing"
# The player, as drawn headless where its dump puts him, stands in the real window within one
# step of there.
# shellcheck disable=SC2046 # four numbers
set -- $(python3 -c 'import json, sys
man = json.loads(sys.stdin.readlines()[-1])["controls"]["Man"]
print(*((2 * man[k] + 15) // 30 for k in ("Left", "Top", "Width", "Height")))' \
  <"$work/headless.out")
convert "$work/headless.png" -crop "$3x$4+$1+$2" +repage "$work/man.png"
# shellcheck disable=SC2046 # four numbers
set -- "$@" $(corners "$player_path" | tr ', ' '  ')
convert "$work/real.png" -crop "$(($7 - $5 + 1))x$(($8 - $6 + 1))+$5+$6" +repage "$work/path.png"
found=$(compare -metric AE -subimage-search "$work/path.png" "$work/man.png" null: 2>&1 || true)
at=$(echo "$found" | sed -n 's/^0 .*@ \([0-9]*\),\([0-9]*\)$/\1 \2/p')
[ -n "$at" ] || fail "the player as drawn headless is nowhere in the real window ($found)"
dx=$((${at% *} + $5 - $1))
dy=$((${at#* } + $6 - $2))
# A step is 8 or 9 pixels, as the positions round.
{ [ "${dx#-}" -le $(((step + 14) / 15)) ] && [ "${dy#-}" -le $(((step + 14) / 15)) ]; } ||
  fail "the player stands $dx,$dy pixels from where the headless run draws him"
echo "real_window_test: passed"
