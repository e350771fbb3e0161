# Helpers for the tests that run the game in real windows under an X server of their own.
# Source this file, set `work` to a scratch folder and `game` to the game's process id once it
# runs; then start_x_server, start_window_manager (openbox), wait_for_window NAME,
# take_focus ID, close_window ID, wait_for_exit SECONDS.
# The screen is 1280 x 1024 unless `screen_size` says otherwise (WIDTHxHEIGHT).
# fail MESSAGE prints the logs and exits 1; the EXIT trap stops the game and the server.

x11_here=$(cd "$(dirname "$0")" && pwd)
# The game keeps its settings here, not in the home folder.
XDG_CONFIG_HOME="$work/config"
export XDG_CONFIG_HOME
x11_test=$(basename "$0" .sh)
xvfb=
game=

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

stop_session() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || true
  [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}

# An X server of our own. Its display number is drawn at random from 100 to 999, far from
# the numbers that servers started with -displayfd take (the first free from 0, checked by
# their sockets only, so that two of them starting at once can break each other's display);
# a number in use, locked by another server, makes ours exit, and another is drawn.
start_x_server() {
  trap stop_session EXIT
  trap 'exit 1' INT TERM
  for _ in 1 2 3 4 5; do
    DISPLAY=:$(($(od -An -N2 -tu2 /dev/urandom) % 900 + 100))
    export DISPLAY
    # Without -noreset the server resets when its last client leaves, as the probe below
    # does, and drops the connections that come in meanwhile: the game's among them.
    Xvfb "$DISPLAY" -screen 0 "${screen_size:-1280x1024}x24" -nolisten tcp -noreset \
      2>"$work/xvfb.log" &
    xvfb=$!
    for _ in $(seq 100); do
      kill -0 "$xvfb" 2>/dev/null || break
      if xwininfo -root >/dev/null 2>&1; then
        sleep 0.2
        kill -0 "$xvfb" 2>/dev/null && return
      fi
      sleep 0.1
    done
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  done
  fail "Xvfb did not start"
}

manager=
# openbox, a small real window manager: minimizing, fullscreen and what a window is offered
# exist only under one.
start_window_manager() {
  openbox >"$work/openbox.log" 2>&1 &
  manager=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    sleep 0.1
  done
  fail "openbox did not start"
}

# Gives the window the keyboard: through the window manager when there is one.
take_focus() {
  if [ -n "$manager" ]; then
    xdotool windowactivate --sync "$1" 2>/dev/null || fail "cannot activate the window $1"
  else
    xdotool windowfocus --sync "$1"
  fi
}

# The id of the shown window with this title; nothing when there is none. A window manager
# puts each window into a frame of its own, hence the whole tree.
# (xdotool cannot search SDL's titles in a UTF-8 locale.)
shown_window() {
  for id in $(xwininfo -root -tree | awk -v title=" \"$1\": " 'index($0, title) { print $1 }'); do
    if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return
    fi
  done
}

# Waits up to SECONDS (default 10) for the window with this title to be shown.
wait_for_window() {
  tries=$((${2:-10} * 10))
  for _ in $(seq "$tries"); do
    id=$(shown_window "$1")
    if [ -n "$id" ]; then
      echo "$id"
      return
    fi
    kill -0 "$game" 2>/dev/null || fail "the game ended before the window $1 appeared"
    sleep 0.1
  done
  fail "the window $1 did not appear within ${2:-10} s"
}

# Asks a window to close, as a window manager's close button does.
close_window() {
  python3 "$x11_here/close_window.py" "$1" || fail "cannot ask the window $1 to close"
}

# True when the game has ended within SECONDS.
game_ends_within() {
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$game" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$game" 2>/dev/null
}

# Waits for the game to end; fails unless it ends within SECONDS with exit status 0.
wait_for_exit() {
  game_ends_within "$1" || fail "the game still runs $1 s after its window was closed"
  status=0
  wait "$game" || status=$?
  game=
  [ "$status" -eq 0 ] || fail "the game ended with exit status $status"
}
