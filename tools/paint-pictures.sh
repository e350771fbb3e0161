#!/usr/bin/env bash
# Builds paint-pictures and redraws the game's pictures under assets/ from their text sources
# under tools/pictures/. Usage: tools/paint-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"

"$root/tools/install-deps.sh" --painter
cmake -S "$root" -B "$build" -G Ninja -DREDDOOR_PAINTER=ON >/dev/null
cmake --build "$build" --target paint-pictures -j2
"$build/paint-pictures" "$root/tools/pictures" "$root/assets"
