#!/usr/bin/env bash
# Installs what is missing, checks the house style, builds Red Door with its tests and runs
# every test, three times over: the normal build (build), the same under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer (build-asan, where the real-window closing tests
# run too), and a short run of each fuzz target with the tests built by clang (build-fuzz).
# After the first, the web build (build-web: the scripted run under node, the page in headless
# chromium), the Debian package (tools/package.sh, build-package) and the Windows zip with its
# tests under Wine (tools/build-windows.sh, build-windows) are built and checked.
# Compiler warnings are errors here. See docs/reliability.md.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
jobs=$(nproc)
configure() {
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREDDOOR_WERROR=ON "${@:2}" >/dev/null
}
build_and_test() {
  cmake --build "$1" -j"$jobs"
  ctest --test-dir "$1" --output-on-failure -j"$jobs"
}

configure build -DREDDOOR_BENCH=ON
tools/check-style.sh build
build_and_test build

# The web build: the goldens and the command line under node, the page in headless chromium.
tools/test-web.sh build

# The Debian package, built in build-package and checked by lintian and appstreamcli.
tools/package.sh build-package

# The Windows game: its zip, built with MinGW-w64, and its tests under Wine (docs/windows.md).
# The libraries it links are built once from Debian's sources and kept in ~/.cache/reddoor.
tools/build-windows.sh --test

# Any finding of a sanitizer, a leak at exit included, ends the program with an error.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
configure build-asan -DREDDOOR_SANITIZE=ON
build_and_test build-asan

# Everything again with clang, which warns of other things than g++; the tests run there too.
configure build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DREDDOOR_FUZZ=ON
build_and_test build-fuzz
