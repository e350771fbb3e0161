#!/usr/bin/env bash
# Installs what is missing, builds Red Door and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target reddoor -j"$(nproc)"
exec build/reddoor "$@"
