#!/usr/bin/env bash
# Installs what is missing, builds Red Door with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
