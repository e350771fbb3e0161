#!/bin/sh
# A game recorded by the Linux game in a real window (the title window, Return, a death on
# Level1 and its box answered with Return) replays with reddoor.exe --script under Wine to
# exactly the lines that the recording noted. The other way round, a recording made under
# Wine replayed by the Linux game, is in real_window_test.sh.
# Usage: record_replay_test.sh WINE.SH WINEPREFIX PATH/TO/reddoor.exe PATH/TO/reddoor (the Linux
# game). Exit 0 passed, 1 failed, 77 skipped.
set -eu
usage="usage: record_replay_test.sh WINE.SH WINEPREFIX PATH/TO/reddoor.exe PATH/TO/reddoor"
wine=${1:?$usage}
prefix=${2:?$usage}
exe=${3:?$usage}
linux_game=${4:?$usage}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/x11_session.sh"
x11_here=$here/../e2e

require_tools Xvfb xdotool xwininfo python3
start_x_server

"$linux_game" --scale 1 --record "$work/game.script" >/dev/null 2>"$work/game.err" &
game=$!
level1=$(play_level1)
die_holding "$level1" Right >/dev/null
xdotool key Return
wait_for "the answer in the recording" 30 has_lines 2 '^# {.*"event":"show","window":"Level1"}' \
  "$work/game.script"
close_window "$level1"
wait_for_exit 30

grep -q '^# {.*"event":"message"' "$work/game.script" || fail "the recording noted no death"
expect_replay "$work/game.script" "$wine" "$prefix" "$exe"
echo "record_replay_test: passed ($(grep -c . "$work/game.script") lines recorded)"
