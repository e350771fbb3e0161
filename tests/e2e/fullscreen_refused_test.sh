#!/bin/sh
# Fullscreen on a bare X server, without the window manager that alone can make a window
# fullscreen: `--fullscreen --start Level1`, and F11 on Level1, leave the game a window of its
# own size, drawn whole from its corner as --render draws the level, before and after a pause
# has drawn it whole again. The game says once on standard error that the desktop does not let
# the window go fullscreen, and keeps no fullscreen in the settings.
# Usage: fullscreen_refused_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: fullscreen_refused_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

settings="$XDG_CONFIG_HOME/reddoor/settings.json"
# On the 1280 x 1024 screen Level1 fits at scale 1 only: 879 x 563 pixels.
size=879x563
# Level1 in twips: what moves with time, or is hidden once the game runs (the door), and so
# differs from the drawing of the layout: the ledge where the player settles, the monsters'
# patrols.
moving="0,3600,1800,855 1080,4680,3615,495 4680,5880,2775,375 12720,4920,375,255"

# The pixels of a picture outside the moving areas, blacked out.
still() {
  convert "$1" -fill black \
    -draw "$(for area in $moving; do printf 'rectangle %s ' "$(corners "$area")"; done)" "$2"
}
# True when the window shows what --render draws outside the moving areas, pixel for pixel;
# else prints how much differs.
drawn_as_rendered() {
  import -window "$level1" "$work/shot.png" 2>/dev/null || return 1
  still "$work/shot.png" "$work/shot-still.png"
  differing=$(compare -metric AE "$work/shot-still.png" "$work/render-still.png" null: 2>&1) ||
    { echo "$differing pixels differ from the layout's drawing" && return 1; }
}

# One game on Level1 with these options. F11 twice: once the game has been refused fullscreen it
# does not ask again. A pause dims the window, and going on draws it whole again, for the size
# it has. T shows the timer, which writes the settings at once.
play_refused() {
  with="(${*:-no options})"
  rm -f "$settings"
  "$binary" --start Level1 "$@" >/dev/null 2>"$work/game.err" &
  game=$!
  level1=$(wait_for_window Level1)
  wait_for "the keyboard on Level1" 30 has_focus "$level1"
  wait_for "Level1 drawn whole as a window $with" 30 drawn_as_rendered
  # The first drawing follows what the desktop did: nothing that it did not is kept or left untold.
  ! grep -q '"fullscreen": *true' "$settings" 2>/dev/null || fail "fullscreen kept $with"
  case "$*" in *--fullscreen*)
    wait_for "the refusal of fullscreen told $with" 30 has_lines 1 'go fullscreen' "$work/game.err"
  esac
  xdotool key F11 F11 p
  wait_for_window "Level1 (paused)" >/dev/null
  xdotool key p
  wait_for_window Level1 >/dev/null
  wait_for "Level1 drawn whole again after F11 $with" 30 drawn_as_rendered
  [ "$(window_size "$level1")" = "$size" ] || fail "the window is $(window_size "$level1") $with"
  xdotool key t
  wait_for "the settings" 30 grep -q '"timer": *true' "$settings"
  close_window "$level1"
  wait_for_exit 30
  { [ "$(grep -c . "$work/game.err")" -eq 1 ] &&
    grep -q 'does not let the window Level1 go fullscreen' "$work/game.err"; } ||
    fail "not one line says that Level1 cannot go fullscreen $with: $(cat "$work/game.err")"
  grep -q '"fullscreen": *false' "$settings" || fail "fullscreen kept $with: $(cat "$settings")"
}

require_tools Xvfb xdotool xwininfo import convert compare
start_x_server
"$binary" --render Level1 "$work/render.png" --scale 1 || fail "--render failed"
still "$work/render.png" "$work/render-still.png"

play_refused --fullscreen
play_refused
echo "fullscreen_refused_test: passed"
