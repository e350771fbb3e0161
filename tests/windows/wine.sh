#!/usr/bin/env bash
# wine.sh PREFIX PROGRAM.exe ARGS...: runs a Windows program under wine64 in the Wine prefix
# PREFIX, made on first use; the Windows build's tests run through this
# (CMAKE_CROSSCOMPILING_EMULATOR). Wine's own chatter is off; the program's output, input and
# exit status pass through unchanged.
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all
# No Mono and no Gecko: the game needs neither, and nothing may ask to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=${REDDOOR_WINE:-/usr/lib/wine/wine64}
if [[ ! -e "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [[ ! -e "$WINEPREFIX/system.reg" ]]; then
      "$wine" wineboot --init >/dev/null 2>&1
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
