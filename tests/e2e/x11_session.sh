# shellcheck shell=sh
# Helpers for the tests that run the game in real windows under an X server of their own.
# Sourcing this file makes `work`, a scratch folder of the test's own, removed on exit. Set
# `game` to the game's process id once it runs; then start_x_server, start_window_manager
# (openbox), wait_for DESCRIPTION SECONDS COMMAND..., wait_for_window NAME, take_focus ID,
# play_level1, die_holding ID KEY, close_window ID, wait_for_exit SECONDS [STATUS] and
# expect_replay RECORDING GAME; window_size ID, and pixels and corners, which turn twips into
# pixels.
# Tests wait for what they check, never a fixed time.
# The screen is 1280 x 1024 unless `screen_size` says otherwise (WIDTHxHEIGHT).
# fail MESSAGE prints the logs and exits 1; the EXIT trap stops the game and the server.

x11_here=$(cd "$(dirname "$0")" && pwd)
x11_test=$(basename "$0" .sh)
xvfb=
manager=
game=

stop_session() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
work=$(mktemp -d "${TMPDIR:-/tmp}/reddoor-$x11_test.XXXXXX")
trap stop_session EXIT
trap 'exit 1' INT TERM
# The game keeps its settings here, not in the home folder.
XDG_CONFIG_HOME="$work/config"
export XDG_CONFIG_HOME

fail() {
  echo "$x11_test: FAILED: $* (display ${DISPLAY:-none})" >&2
  for log in "$work/game.err" "$work/xvfb.log"; do
    if [ -s "$log" ]; then
      echo "--- $(basename "$log"):" >&2
      cat "$log" >&2
    fi
  done
  exit 1
}

# Exit status 77 (skipped) when a tool is not installed.
require_tools() {
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "$x11_test: skipped: $tool is not installed" >&2
      exit 77
    fi
  done
}

# True while the process runs: one that has ended but not yet been waited for is a zombie.
runs() { [ -n "$1" ] && ps -o stat= -p "$1" | grep -qv Z; }
# True unless the game has ended.
game_on() { [ -z "$game" ] || runs "$game"; }

# wait_for DESCRIPTION SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds and
# prints what it printed then. Fails, with what it printed last, when SECONDS pass first, and
# at once when the game had ended before a try.
wait_for() {
  wait_what=$1 wait_secs=$2 wait_until=$(($(date +%s) + $2))
  shift 2
  while wait_on=$(game_on && echo y); ! wait_out=$("$@"); do
    [ -n "$wait_on" ] || fail "the game ended while waiting for $wait_what"
    [ "$(date +%s)" -le "$wait_until" ] ||
      fail "waited $wait_secs s in vain for $wait_what${wait_out:+ ($wait_out)}"
    sleep 0.1
  done
  [ -z "$wait_out" ] || echo "$wait_out"
}

# The number of lines of FILE that match the PATTERN (grep); has_lines N PATTERN FILE is true
# when there are at least N.
count() { grep -c -- "$1" "$2" || true; }
has_lines() { [ "$(count "$2" "$3")" -ge "$1" ]; }

# True once our server answers, holding the display's lock, or when it has ended: the display
# was taken.
x_server_settled() {
  runs "$xvfb" || return 0
  [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X${DISPLAY#:}-lock")" = "$xvfb" ] &&
    xwininfo -root >/dev/null 2>&1
}

# An X server of our own. Its display number is drawn at random from 100 to 999, far from
# the numbers that servers started with -displayfd take (the first free from 0, checked by
# their sockets only, so that two of them starting at once can break each other's display);
# a number in use, locked by another server, makes ours exit, and another is drawn.
start_x_server() {
  for _ in 1 2 3 4 5; do
    DISPLAY=:$(($(od -An -N2 -tu2 /dev/urandom) % 900 + 100))
    export DISPLAY
    # Without -noreset the server resets when its last client leaves, as the probe above
    # does, and drops the connections that come in meanwhile: the game's among them.
    Xvfb "$DISPLAY" -screen 0 "${screen_size:-1280x1024}x24" -nolisten tcp -noreset \
      2>"$work/xvfb.log" &
    xvfb=$!
    wait_for "Xvfb on $DISPLAY" 30 x_server_settled
    runs "$xvfb" && return
    wait "$xvfb" 2>/dev/null || true
  done
  fail "Xvfb did not start"
}

# openbox, a small real window manager: minimizing, fullscreen and what a window is offered
# exist only under one.
start_window_manager() {
  openbox >"$work/openbox.log" 2>&1 &
  manager=$!
  wait_for openbox 30 window_manager_runs
}
window_manager_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Gives the window the keyboard: through the window manager when there is one.
take_focus() {
  if [ -n "$manager" ]; then
    xdotool windowactivate --sync "$1" 2>/dev/null || fail "cannot activate the window $1"
  else
    xdotool windowfocus --sync "$1"
  fi
}

# True when the window has the keyboard.
has_focus() { [ "$(xdotool getwindowfocus)" = "$(printf %d "$1")" ]; }

# The id of the shown window with this title (other than the window ID, when given); false
# when there is none. A window manager puts each window into a frame of its own, hence the
# whole tree. (xdotool cannot search SDL's titles in a UTF-8 locale.)
shown_window() {
  for id in $(xwininfo -root -tree | awk -v title=" \"$1\": " 'index($0, title) { print $1 }'); do
    if [ "$id" != "${2:-}" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return
    fi
  done
  return 1
}

# Waits up to SECONDS (default 30) for the window with this title to be shown; prints its id.
wait_for_window() { wait_for "the window $1" "${2:-30}" shown_window "$1"; }

# Return on the title window presses its button, which has the focus, and plays: prints the id
# of Level1 once it has the keyboard.
play_level1() {
  play_from=$(wait_for_window Intro)
  xdotool windowfocus --sync "$play_from"
  xdotool key Return
  play_level=$(wait_for_window Level1)
  xdotool windowfocus --sync "$play_level"
  echo "$play_level"
}

# Holds KEY down in the focused WINDOW until the player dies; lets go of it once the death
# message has the keyboard. Prints the message's window.
die_holding() {
  wait_for "the keyboard on $1" 30 has_focus "$1"
  xdotool keydown "$2"
  box=$(wait_for_window "Red Door")
  wait_for "the keyboard on the message" 30 has_focus "$box"
  xdotool keyup "$2"
  echo "$box"
}

# Takes a picture of the screen; `pixel X Y` is then the colour there, as ImageMagick names it
# (`pixel X Y PICTURE`: in another picture).
grab_screen() { import -window root "$work/screen.png" || fail "cannot take a screenshot"; }
pixel() {
  convert "${3:-$work/screen.png}" -crop "1x1+$1+$2" -depth 8 txt:- | awk 'NR == 2 {print $3}'
}

# The size of a window, WIDTHxHEIGHT.
window_size() {
  xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'
}

# Twips to pixels at scale 1 as the game rounds them, and a box of twips L,T,W,H as ImageMagick's
# corners.
pixels() { echo $(((2 * $1 + 15) / 30)); }
corners() {
  # shellcheck disable=SC2046 # four numbers
  set -- $(echo "$1" | tr , ' ')
  set -- "$(pixels "$1")" "$(pixels "$2")" "$(pixels "$3")" "$(pixels "$4")"
  echo "$1,$2 $(($1 + $3 - 1)),$(($2 + $4 - 1))"
}

# Asks a window to close, as a window manager's close button does.
close_window() {
  python3 "$x11_here/close_window.py" "$1" || fail "cannot ask the window $1 to close"
}

# Waits for the game to end; fails unless it ends within SECONDS with exit status 0 (or
# STATUS, when given).
wait_for_exit() {
  wait_for "the game to end" "$1" game_ended
  status=0
  wait "$game" || status=$?
  game=
  [ "$status" -eq "${2:-0}" ] || fail "the game ended with exit status $status"
}
game_ended() { ! runs "$game"; }

# expect_replay RECORDING GAME...: the recording, replayed headless by the game that GAME runs
# (its path, or a runner with its arguments and the game's), prints exactly the lines that it
# noted as the real game showed them.
expect_replay() {
  replayed=$1
  shift
  sed -n 's/^# {/{/p' "$replayed" >"$work/noted.jsonl"
  env -u DISPLAY "$@" --script "$replayed" >"$work/replayed.jsonl" 2>"$work/game.err" ||
    fail "the replay failed"
  cmp -s "$work/noted.jsonl" "$work/replayed.jsonl" && return
  diff "$work/noted.jsonl" "$work/replayed.jsonl" | cut -c1-300 >&2 || true
  fail "the replay did not play the recorded game"
}
