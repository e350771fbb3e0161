#!/usr/bin/env bash
# Builds the Windows game and its zip: build-windows/reddoor-VERSION-win64.zip, holding
# reddoor.exe (one exe, every library linked in), the fonts it draws with and their licences,
# and README.txt. With --test also runs the Windows build's tests under Wine: the unit tests,
# every golden script (the same bytes as on Linux), the console and file names, the zip's
# contents, a real window under Xvfb, and recordings replayed from Windows on Linux and back,
# for which it builds the Linux game too (in build, or REDDOOR_LINUX_BUILD).
# docs/windows.md tells more.
#
# The cross compiler and the other tools are installed when missing (tools/install-deps.sh
# --windows); the libraries are built from Debian's source packages once per version and kept
# in ~/.cache/reddoor/mingw (tools/windows-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${REDDOOR_WINDOWS_BUILD:-build-windows}
test=false
[[ "${1:-}" == "--test" ]] && test=true
tools/install-deps.sh --windows

test_options=()
if $test; then
  # The Linux game replays what the Windows game records, and records what it replays.
  linux_build=${REDDOOR_LINUX_BUILD:-build}
  [[ -e "$linux_build/build.ninja" ]] ||
    cmake -S . -B "$linux_build" -G Ninja -DREDDOOR_WERROR=ON >/dev/null
  nice -n 10 cmake --build "$linux_build" -j"$(nproc)" --target reddoor
  test_options=("-DREDDOOR_LINUX_GAME=$(realpath "$linux_build/reddoor")")
fi

prefixes=$(tools/windows-deps.sh | tail -n1)
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_PREFIX_PATH="$prefixes" -DCMAKE_BUILD_TYPE=Release -DREDDOOR_WERROR=ON \
  -DREDDOOR_TESTS="$test" "${test_options[@]}" \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$root/tests/windows/wine.sh;$root/$build/wine" >/dev/null
nice -n 10 cmake --build "$build" -j"$(nproc)"

# The zip: one folder, the game and its fonts beside it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=reddoor-$version-win64
stage=$build/zip/$name
rm -rf "$build/zip" "$build/$name.zip"
mkdir -p "$stage/fonts"
x86_64-w64-mingw32-strip -o "$stage/reddoor.exe" "$build/reddoor.exe"
cp "$build"/fonts/* "$stage/fonts/"
# Notepad and every other Windows reader want CRLF.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
crlf /usr/share/doc/fonts-liberation2/copyright "$stage/fonts/LICENSE-LiberationSans.txt"
crlf /usr/share/doc/fonts-comic-neue/copyright "$stage/fonts/LICENSE-ComicNeue.txt"
sed "s/@VERSION@/$version/" dist/windows/README.txt | crlf /dev/stdin "$stage/README.txt"
# Fixed times and order, so that the same build gives the same zip.
find "$stage" -exec touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" {} +
(cd "$build/zip" && find "$name" | LC_ALL=C sort | zip -X -q -9 "../$name.zip" -@)
echo "$build/$name.zip: $(stat -c %s "$build/$name.zip") bytes"

if $test; then
  # One Wine server for all the tests: a server that ends as the next test starts drops it.
  export WINEPREFIX=$root/$build/wine
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  trap '/usr/lib/wine/wineserver -k' EXIT
  tests/windows/wine.sh "$WINEPREFIX" cmd /c exit
  ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
fi
