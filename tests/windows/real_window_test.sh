#!/bin/sh
# reddoor.exe in a real window under Wine and an X server of its own: the title window comes
# up with its caption and without minimize or maximize (Wine passes the window's style on as
# Motif hints), Return plays, and the man walks into the water with real keys: the death
# message comes up in the game's own box, titled "Red Door", with the critical-stop icon, and
# Return answers it. Closing Level1 ends the game with status 0, and the scale chosen on the
# command line is kept in %APPDATA%\reddoor\settings.json. The game is recorded into a folder
# named "Jürgen"; the recording, replayed by the Linux game, prints exactly the lines it noted.
# Prints how long the title window took to appear.
# Usage: real_window_test.sh WINE.SH PATH/TO/reddoor.exe PATH/TO/reddoor (the Linux game).
# Exit 0 passed, 1 failed, 77 skipped.
set -eu
usage="usage: real_window_test.sh WINE.SH PATH/TO/reddoor.exe PATH/TO/reddoor"
wine=${1:?$usage}
exe=${2:?$usage}
linux_game=${3:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/x11_session.sh"
x11_here=$here/../e2e

require_tools Xvfb xdotool xwininfo xprop import convert python3
start_x_server
# A Wine prefix of the test's own, made before the clock starts. Its Wine server outlives the
# game by a few seconds and writes into the prefix as it ends: it is ended, and waited for,
# before the scratch folder goes.
"$wine" "$work/wine" cmd /c exit >/dev/null 2>&1 || fail "cannot make a Wine prefix"
stop_wine_server() {
  WINEPREFIX=$work/wine /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX=$work/wine /usr/lib/wine/wineserver -w
}
trap 'stop_wine_server; stop_session' EXIT

folder=$work/Jürgen
mkdir "$folder"
recording=$folder/game.script
log=$folder/timing.log
started=$(date +%s%N)
"$wine" "$work/wine" "$exe" --scale 1 --record "$recording" --timing-log "$log" \
  >"$work/game.out" 2>"$work/game.err" &
game=$!
intro=$(wait_for_window Intro 60)
echo "real_window_test: the title window appeared after $((($(date +%s%N) - started) / 1000000)) ms"

# Motif functions: 8 minimize, 16 maximize.
functions=$(xprop -id "$intro" _MOTIF_WM_HINTS | sed -n 's/.* = [^,]*, \([^,]*\),.*/\1/p')
[ -n "$functions" ] || fail "the title window has no Motif hints"
[ $((functions & 24)) -eq 0 ] || fail "the title window offers minimize or maximize ($functions)"

level1=$(play_level1)

# The way into the water goes by the game's ticks, which the timing log counts: ten steps
# right, one tap of the arrow for each tick, take the man off the ledge where he starts, and
# the left arrow held from the tick after, as he falls, brings him under it into the water.
ticks() { count '^tick Level1 tmrGame' "$log"; }
wait_for_tick() {
  wait_for "a game tick" 30 has_lines $(($(ticks) + 1)) '^tick Level1 tmrGame' "$log"
}
step_right() {
  taps=$(count '^up Right' "$recording")
  xdotool key Right
  wait_for "the step in the recording" 30 has_lines $((taps + 1)) '^up Right' "$recording"
  wait_for_tick
}
# Monster(0) walks Block(0), below the ledge, to and fro in rounds of 7.9 s from the level's
# start; from 6.8 s into a round to 0.7 s into the next, the man would fall onto it instead
# (the scripted run shows it). The last step waits for a time well inside the rest.
shown=$(sed -n 's/^# {"t":\([0-9]*\),"event":"show","window":"Level1"}$/\1/p' "$recording")
monster_away() {
  round=$(awk -v shown="$shown" '/^tick Level1 tmrGame/ { due = $5 }
    END { print (due - shown) % 7900 }' "$log")
  [ "$round" -ge 1000 ] && [ "$round" -le 5000 ]
}
for _ in 1 2 3 4 5 6 7 8 9; do step_right; done
wait_for "Monster(0) away from the ledge" 30 monster_away
step_right
wait_for_tick
# Wine shows the box without moving X's keyboard focus from Level1: it is given the focus here,
# so that Wine's focus and X's agree and Return reaches it.
xdotool keydown Left
box=$(wait_for_window "Red Door")
xdotool windowfocus --sync "$box"
xdotool keyup Left
wait_for "the death in the recording" 30 has_lines 1 '^# {.*"event":"message"' "$recording"
grep -q '"text":"You Cant Swim?"}$' "$recording" ||
  fail "the box does not tell of the water: $(grep '"event":"message"' "$recording")"

# The icon: a red disc 32 pixels wide, 12 from the corner, a white cross inside it.
icon_drawn() {
  import -window "$box" "$work/box.png" || return 1
  set -- "$(pixel 16 28 "$work/box.png")" "$(pixel 28 28 "$work/box.png")"
  [ "$*" = "#FF0000 #FFFFFF" ] || { echo "$*" && return 1; }
}
wait_for "a red disc with a white cross on the box" 30 icon_drawn
xdotool key Return
wait_for "Return to answer the box" 30 has_lines 1 '^message closed' "$log"

close_window "$level1"
wait_for_exit 30

settings=$(find "$work/wine/drive_c/users" -path '*/AppData/Roaming/reddoor/settings.json')
[ -n "$settings" ] || fail "no settings in %APPDATA%\\reddoor"
grep -q '"scale":1' "$settings" || fail "the scale is not kept: $(cat "$settings")"
expect_replay "$recording" "$linux_game"

# Started without a console (from Explorer; here by `start`, which gives it a console of its
# own), a game that finds no fonts beside it says so in one box and ends with status 1 once
# that is answered.
mkdir "$folder/ohne Schriften"
cp "$exe" "$folder/ohne Schriften/"
"$wine" "$work/wine" start /wait /unix "$folder/ohne Schriften/$(basename "$exe")" \
  >"$work/game.out" 2>"$work/game.err" &
game=$!
box=$(wait_for_window "Red Door" 60)
xdotool windowfocus --sync "$box"
xdotool key Return
# Answered, the game ends, and no other box comes up before.
ended_or_another_box() { game_ended || shown_window "Red Door" "$box" >/dev/null; }
wait_for "the game to end after the box" 30 ended_or_another_box
[ -z "$(shown_window "Red Door" "$box")" ] || fail "a second box came up"
wait_for_exit 5 1
echo "real_window_test: passed"
