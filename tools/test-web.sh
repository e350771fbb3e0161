#!/usr/bin/env bash
# The web build's tests: builds build-web (tools/build-web.sh), runs every golden script and
# the command-line checks under node (ctest), then the page in Debian's headless chromium
# against the desktop's picture of the title window (build/reddoor, built first).
# Installs chromium, chromium-driver and python3-selenium when missing.
#   tools/test-web.sh [DESKTOP_BUILD]      (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
desktop=${1:-build}/reddoor
[[ -x "$desktop" ]] || { echo "test-web: no $desktop; build the desktop game first" >&2; exit 1; }
tools/build-web.sh
ctest --test-dir build-web --output-on-failure -j"$(nproc)"
packages=(chromium chromium-driver python3-selenium)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi
# Debian's python3, which has selenium, whatever python3 comes first on the PATH.
/usr/bin/python3 tests/web/page_test.py build-web/site "$desktop" build-web/node/reddoor.js
