#!/usr/bin/env bash
# Builds Red Door for the web with Debian's Emscripten into build-web/: the scripted run for
# node (build-web/node/reddoor.js) and the page (build-web/site/). Installs what is missing.
# docs/web.md tells how to serve and host the page.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(emscripten cmake ninja-build nlohmann-json3-dev libcli11-dev libfmt-dev libstb-dev woff2
  fonts-liberation2 fonts-comic-neue)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Debian's emcc finds its JavaScript modules (acorn, ...) only there.
export NODE_PATH=/usr/share/nodejs
build=${1:-build-web}
[[ -f "$build/build.ninja" ]] ||
  emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DREDDOOR_WERROR=ON >/dev/null
cmake --build "$build"
