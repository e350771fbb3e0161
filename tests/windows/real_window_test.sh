#!/bin/sh
# reddoor.exe in a real window under Wine and an X server of its own: the title window comes
# up with its caption and without minimize or maximize (Wine passes the window's style on as
# Motif hints), Return plays, closing Level1 ends the game with status 0, and the scale chosen
# on the command line is kept in %APPDATA%\reddoor\settings.json. Prints how long the title
# window took to appear.
# Usage: real_window_test.sh WINE.SH PATH/TO/reddoor.exe. Exit 0 passed, 1 failed, 77 skipped.
set -eu
wine=${1:?usage: real_window_test.sh WINE.SH PATH/TO/reddoor.exe}
exe=${2:?usage: real_window_test.sh WINE.SH PATH/TO/reddoor.exe}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/x11_session.sh"
x11_here=$here/../e2e

require_tools Xvfb xdotool xwininfo xprop python3
start_x_server
# A Wine prefix of the test's own, made before the clock starts.
"$wine" "$work/wine" cmd /c exit >/dev/null 2>&1 || fail "cannot make a Wine prefix"

started=$(date +%s%N)
"$wine" "$work/wine" "$exe" --scale 1 >"$work/game.out" 2>"$work/game.err" &
game=$!
intro=$(wait_for_window Intro 60)
echo "real_window_test: the title window appeared after $((($(date +%s%N) - started) / 1000000)) ms"

# Motif functions: 8 minimize, 16 maximize.
functions=$(xprop -id "$intro" _MOTIF_WM_HINTS | sed -n 's/.* = [^,]*, \([^,]*\),.*/\1/p')
[ -n "$functions" ] || fail "the title window has no Motif hints"
[ $((functions & 24)) -eq 0 ] || fail "the title window offers minimize or maximize ($functions)"

xdotool windowfocus --sync "$intro"
xdotool key --window "$intro" Return
level1=$(wait_for_window Level1 30)
close_window "$level1"
wait_for_exit 30

settings=$(find "$work/wine/drive_c/users" -path '*/AppData/Roaming/reddoor/settings.json')
[ -n "$settings" ] || fail "no settings in %APPDATA%\\reddoor"
grep -q '"scale":1' "$settings" || fail "the scale is not kept: $(cat "$settings")"
echo "real_window_test: passed"
