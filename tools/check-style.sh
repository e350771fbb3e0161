#!/usr/bin/env bash
# The house style, checked: every C++ file laid out as .clang-format says, and the names in the
# C++ sources as .clang-tidy says (src/README.md tells the convention). Prints what differs and
# exits 1; nothing is changed.
# Usage: tools/check-style.sh [BUILD_DIR]: a configured build, whose compile commands say how
# each source is compiled (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

mapfile -t files < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run --Werror "${files[@]}"

# The sources of the build at hand, with the headers they include.
mapfile -t sources < <(git ls-files 'src/*.cpp' 'tests/*.cpp')
run-clang-tidy -quiet -j "$(nproc)" -p "$build" "${sources[@]/#/$PWD/}" >"$build/clang-tidy.log" 2>&1 ||
  { sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E 'error:|warning:' | sort -u; exit 1; }
echo "style: ${#files[@]} files laid out, names checked in ${#sources[@]} sources"
