#!/bin/sh
# The player's own keys, from the settings, in the real window under its own X server: every
# action is moved to other keys. D, A, W and F walk, jump and call the bird; the arrows, Space,
# E, P and T do nothing; Q pauses and goes on; F3 shows the timer, which is kept in the
# settings with the key map. The recording holds the game's keys, not the keyboard's, and
# replays headless with the keys as they come, checked both by comparing the lines it noted
# and by --verify.
# Usage: keymap_test.sh PATH/TO/reddoor. Exit 0 passed, 1 failed, 77 skipped.
set -eu

binary=${1:?usage: keymap_test.sh PATH/TO/reddoor}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/x11_session.sh"

log=$work/timing.log
recording=$work/game.script
settings=$XDG_CONFIG_HOME/reddoor/settings.json
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<'JSON'
{"keys": {"walk-left": ["A"], "walk-right": ["D"], "jump": ["W"], "call-bird": ["F"],
          "pause": ["Q"], "fullscreen": ["F2"], "timer": ["F3"]}}
JSON
# The map as --keys prints it: the action, then its keys.
keys_of() { "$binary" --keys | awk -v action="$1" '$1 == action { print $2 }'; }
# Showing the timer is kept in the settings at once.
timer_shown() { grep -q '"timer": *true' "$settings"; }
[ "$(keys_of walk-right)" = D ] || fail "--keys does not show the map of the settings"

require_tools Xvfb xdotool xwininfo python3
start_x_server

"$binary" --scale 1 --start Level1 --record "$recording" --timing-log "$log" \
  >/dev/null 2>"$work/game.err" &
# shellcheck disable=SC2034 # the session's helpers watch the game by this id
game=$!
level1=$(wait_for_window Level1)
xdotool windowfocus --sync "$level1"

# One xdotool for these keys, so that they reach the game in this order: the old keys first,
# then the new ones, whose presses in the recording show that the old ones were heard too. D
# is held for three game ticks (the length of the hold is the point), far from the edge of
# the ledge, which he reaches after ten.
xdotool key Right space e p t keydown d sleep 0.3 keyup d key a w f
wait_for "the call of the bird in the recording" 30 has_lines 1 '^up E' "$recording"
expected='down Right,up Right,down Left,up Left,down Space,up Space,down E,up E,'
[ "$(grep -E '^(down|up) ' "$recording" | tr '\n' ,)" = "$expected" ] ||
  fail "the recording's keys are not those of the new keys alone: $(grep -v '^#' "$recording" | tr '\n' ' ')"
! grep -q '^pause' "$log" || fail "P paused the game"
! timer_shown || fail "T showed the timer"
xdotool key F3
wait_for "F3 to show the timer" 30 timer_shown

xdotool key q
wait_for_window "Level1 (paused)" >/dev/null
xdotool key q
wait_for_window Level1 >/dev/null
# Some game time after the pause, so that the replay has it too.
ticks=$(($(count '^tick Level1 tmrGame' "$log") + 3))
wait_for "game ticks after the pause" 30 has_lines "$ticks" '^tick Level1 tmrGame' "$log"
[ "$(grep -E '^(pause|resume) ' "$log" | cut -d' ' -f1 | tr '\n' ,)" = pause,resume, ] ||
  fail "the timing log does not show one pause and its end: $(grep -E '^(pause|resume) ' "$log")"

close_window "$level1"
wait_for_exit 30
[ ! -s "$work/game.err" ] || fail "the game wrote to standard error"
# Keeping the timer and the scale left the key map as it was.
[ "$(keys_of jump)" = W ] || fail "the game lost the key map when it kept the settings"

# The replay, with the keys as they come, knows nothing of the player's.
rm "$settings"
expect_replay "$recording" "$binary"
"$binary" --verify "$recording" >"$work/verify.out" 2>&1 ||
  fail "--verify does not accept the recording: $(cat "$work/verify.out")"
echo "keymap_test: passed ($(grep -c . "$recording") lines recorded)"
